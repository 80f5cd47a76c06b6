#include "Platform/D3D9/VertexDeclaration.h"

#include <optional>

namespace {

struct TypeLayout {
    GLint size;
    GLenum type;
    GLboolean normalized;
};

std::optional<TypeLayout> LayoutOf(BYTE type) {
    switch (type) {
    case D3DDECLTYPE_FLOAT1:
        return TypeLayout{1, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_FLOAT2:
        return TypeLayout{2, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_FLOAT3:
        return TypeLayout{3, GL_FLOAT, GL_FALSE};
    case D3DDECLTYPE_FLOAT4:
        return TypeLayout{4, GL_FLOAT, GL_FALSE};
    // 0xAARRGGBB is B, G, R, A in memory: GL's BGRA size swaps it into (r, g, b, a).
    case D3DDECLTYPE_D3DCOLOR:
        return TypeLayout{GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE};
    case D3DDECLTYPE_UBYTE4:
        return TypeLayout{4, GL_UNSIGNED_BYTE, GL_FALSE};
    case D3DDECLTYPE_SHORT2:
        return TypeLayout{2, GL_SHORT, GL_FALSE};
    case D3DDECLTYPE_SHORT4:
        return TypeLayout{4, GL_SHORT, GL_FALSE};
    case D3DDECLTYPE_UBYTE4N:
        return TypeLayout{4, GL_UNSIGNED_BYTE, GL_TRUE};
    default:
        return std::nullopt;
    }
}

} // namespace

int VertexDeclaration::AttributeLocation(BYTE usage, BYTE usageIndex) {
    switch (usage) {
    case D3DDECLUSAGE_POSITION:
        return usageIndex == 0 ? 0 : -1;
    case D3DDECLUSAGE_BLENDWEIGHT:
        return usageIndex == 0 ? 1 : -1;
    case D3DDECLUSAGE_NORMAL:
        return usageIndex == 0 ? 2 : -1;
    case D3DDECLUSAGE_COLOR:
        return usageIndex <= 1 ? 3 + usageIndex : -1;
    case D3DDECLUSAGE_FOG:
        return usageIndex == 0 ? 5 : -1;
    case D3DDECLUSAGE_PSIZE:
        return usageIndex == 0 ? 6 : -1;
    case D3DDECLUSAGE_BLENDINDICES:
        return usageIndex == 0 ? 7 : -1;
    case D3DDECLUSAGE_TEXCOORD:
        return usageIndex <= 7 ? 8 + usageIndex : -1;
    case D3DDECLUSAGE_TANGENT:
        return usageIndex == 0 ? 14 : -1;
    case D3DDECLUSAGE_BINORMAL:
        return usageIndex == 0 ? 15 : -1;
    default:
        return -1;
    }
}

VertexDeclaration* VertexDeclaration::Create(const D3DVERTEXELEMENT9* elements) {
    auto* declaration = new VertexDeclaration;
    for (std::size_t i = 0;; ++i) {
        const D3DVERTEXELEMENT9& element = elements[i];
        declaration->elements.push_back(element);
        if (element.Stream == 0xFF) break;
        const std::optional<TypeLayout> layout = LayoutOf(element.Type);
        const int location = AttributeLocation(element.Usage, element.UsageIndex);
        if (!layout || location < 0 || i + 1 >= MAXD3DDECLLENGTH) {
            declaration->Release();
            return nullptr;
        }
        declaration->attributes.push_back({static_cast<GLuint>(location), element.Stream,
                                           element.Offset, layout->size, layout->type,
                                           layout->normalized});
    }
    return declaration;
}

HRESULT VertexDeclaration::GetDeclaration(D3DVERTEXELEMENT9* out, UINT* count) {
    if (count == nullptr) return D3DERR_INVALIDCALL;
    *count = static_cast<UINT>(elements.size());
    if (out != nullptr)
        for (std::size_t i = 0; i < elements.size(); ++i)
            out[i] = elements[i];
    return D3D_OK;
}
