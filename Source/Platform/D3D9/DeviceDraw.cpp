// The device's buffers, vertex declarations, stream sources, draws, occlusion queries and the
// program draws use.
#include "Platform/D3D9/D3D9TestSeam.h"
#include "Platform/D3D9/Device.h"
#include "Platform/D3D9/GLResult.h"
#include "Platform/D3D9/Query.h"

namespace {

// The vertices or indices a draw of `primitives` reads, and GL's primitive; 0 for an unknown type.
GLsizei ElementCount(D3DPRIMITIVETYPE type, UINT primitives, GLenum* mode) {
    const auto count = static_cast<GLsizei>(primitives);
    switch (type) {
    case D3DPT_POINTLIST:
        *mode = GL_POINTS;
        return count;
    case D3DPT_LINELIST:
        *mode = GL_LINES;
        return count * 2;
    case D3DPT_LINESTRIP:
        *mode = GL_LINE_STRIP;
        return count + 1;
    case D3DPT_TRIANGLELIST:
        *mode = GL_TRIANGLES;
        return count * 3;
    case D3DPT_TRIANGLESTRIP:
        *mode = GL_TRIANGLE_STRIP;
        return count + 2;
    case D3DPT_TRIANGLEFAN:
        *mode = GL_TRIANGLE_FAN;
        return count + 2;
    default:
        return 0;
    }
}

template <typename Object>
void Rebind(Object*& bound, Object* next) {
    if (next) next->AddRef();
    if (bound) bound->Release();
    bound = next;
}

} // namespace

HRESULT Device::CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                   IDirect3DVertexBuffer9** vertexBuffer, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateVertexBuffer"))
        return injected;
    if (vertexBuffer == nullptr || length == 0) return D3DERR_INVALIDCALL;
    TakeGLCreationResult();
    auto* created = new VertexBuffer(
        this, {D3DFMT_VERTEXDATA, D3DRTYPE_VERTEXBUFFER, usage, pool, length, fvf});
    if (const HRESULT result = TakeGLCreationResult(); FAILED(result)) {
        created->Release();
        return result;
    }
    *vertexBuffer = created;
    return D3D_OK;
}

HRESULT Device::CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                  IDirect3DIndexBuffer9** indexBuffer, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateIndexBuffer"))
        return injected;
    if (indexBuffer == nullptr || length == 0 ||
        (format != D3DFMT_INDEX16 && format != D3DFMT_INDEX32))
        return D3DERR_INVALIDCALL;
    TakeGLCreationResult();
    auto* created = new IndexBuffer(this, {format, D3DRTYPE_INDEXBUFFER, usage, pool, length});
    if (const HRESULT result = TakeGLCreationResult(); FAILED(result)) {
        created->Release();
        return result;
    }
    *indexBuffer = created;
    return D3D_OK;
}

HRESULT Device::CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                        IDirect3DVertexDeclaration9** declaration) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateVertexDeclaration"))
        return injected;
    if (elements == nullptr || declaration == nullptr) return D3DERR_INVALIDCALL;
    VertexDeclaration* created = VertexDeclaration::Create(elements);
    if (created == nullptr) return D3DERR_INVALIDCALL;
    *declaration = created;
    return D3D_OK;
}

HRESULT Device::SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) {
    Rebind(vertexDeclaration, static_cast<VertexDeclaration*>(declaration));
    return D3D_OK;
}

HRESULT Device::SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* streamData,
                                UINT offsetInBytes, UINT stride) {
    if (streamNumber >= kMaxStreams) return D3DERR_INVALIDCALL;
    Stream& stream = streams[streamNumber];
    Rebind(stream.buffer, static_cast<VertexBuffer*>(streamData));
    stream.offset = offsetInBytes;
    stream.stride = stride;
    return D3D_OK;
}

HRESULT Device::SetIndices(IDirect3DIndexBuffer9* indexData) {
    Rebind(indices, static_cast<IndexBuffer*>(indexData));
    return D3D_OK;
}

bool Device::PrepareDraw() {
    if (vertexDeclaration == nullptr || renderTargets[0] == nullptr) return false;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    glBindVertexArray(vertexArray);
    std::array<bool, kAttributeCount> enabled{};
    for (const VertexDeclaration::Attribute& attribute : vertexDeclaration->Attributes()) {
        const Stream& stream = streams[attribute.stream];
        if (stream.buffer == nullptr) return false;
        glBindBuffer(GL_ARRAY_BUFFER, stream.buffer->Name());
        glVertexAttribPointer(attribute.location, attribute.size, attribute.type,
                              attribute.normalized, static_cast<GLsizei>(stream.stride),
                              reinterpret_cast<const void*>(
                                  static_cast<std::uintptr_t>(stream.offset + attribute.offset)));
        glEnableVertexAttribArray(attribute.location);
        enabled[attribute.location] = true;
    }
    for (GLuint location = 0; location < kAttributeCount; ++location)
        if (!enabled[location]) glDisableVertexAttribArray(location);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    if (program == 0) {
        const bool sample = textures[0] != nullptr && textures[0]->GetType() == D3DRTYPE_TEXTURE;
        fixedFunction->UseTexture(sample);
    }
    return true;
}

HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE primitiveType, UINT startVertex,
                              UINT primitiveCount) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("DrawPrimitive")) return injected;
    GLenum mode = 0;
    const GLsizei count = ElementCount(primitiveType, primitiveCount, &mode);
    if (count == 0 || !PrepareDraw()) return D3DERR_INVALIDCALL;
    glDrawArrays(mode, static_cast<GLint>(startVertex), count);
    return D3D_OK;
}

HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE primitiveType, INT baseVertexIndex, UINT,
                                     UINT, UINT startIndex, UINT primitiveCount) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("DrawIndexedPrimitive"))
        return injected;
    GLenum mode = 0;
    const GLsizei count = ElementCount(primitiveType, primitiveCount, &mode);
    if (count == 0 || indices == nullptr ||
        (static_cast<std::uint64_t>(startIndex) + static_cast<std::uint64_t>(count)) *
                indices->IndexSize() >
            indices->Size() ||
        !PrepareDraw())
        return D3DERR_INVALIDCALL;
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indices->Name());
    const std::uintptr_t offset = static_cast<std::uintptr_t>(startIndex) * indices->IndexSize();
    glDrawElementsBaseVertex(mode, count,
                             indices->IndexSize() == 4 ? GL_UNSIGNED_INT : GL_UNSIGNED_SHORT,
                             reinterpret_cast<const void*>(offset), baseVertexIndex);
    return D3D_OK;
}

HRESULT Device::CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateQuery")) return injected;
    if (type != D3DQUERYTYPE_OCCLUSION) return D3DERR_NOTAVAILABLE;
    // A null out pointer asks whether the type is supported.
    if (query != nullptr) *query = new Query(this);
    return D3D_OK;
}

void Device::UseProgram(GLuint newProgram) {
    program = newProgram;
    glUseProgram(program != 0 ? program : fixedFunction->Name());
}

void Device::UnbindAll() {
    for (DWORD sampler = 0; sampler < SamplerStates::kSamplerCount; ++sampler)
        SetTexture(sampler, nullptr);
    for (UINT stream = 0; stream < kMaxStreams; ++stream)
        SetStreamSource(stream, nullptr, 0, 0);
    SetIndices(nullptr);
    SetVertexDeclaration(nullptr);
    UseProgram(0);
}
