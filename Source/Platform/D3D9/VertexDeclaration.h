// A vertex declaration: which stream, offset and type feed each vertex input. Inputs reach the
// programs at fixed attribute locations by usage, the table the effect compiler's GLSL uses:
//   POSITION 0, BLENDWEIGHT 1, NORMAL 2, COLOR0 3, COLOR1 4, FOG 5, PSIZE 6, BLENDINDICES 7,
//   TEXCOORD0..7 8..15, TANGENT 14 and BINORMAL 15 (sharing TEXCOORD6 and 7).
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <epoxy/gl.h>

#include <vector>

class VertexDeclaration final : public IDirect3DVertexDeclaration9 {
public:
    struct Attribute {
        GLuint location;
        WORD stream;
        WORD offset;
        GLint size; // components, or GL_BGRA for D3DCOLOR
        GLenum type;
        GLboolean normalized;
    };

    // The attribute location of a usage, -1 when it has none.
    static int AttributeLocation(BYTE usage, BYTE usageIndex);
    // Null when an element has an unknown type or a usage without a location.
    static VertexDeclaration* Create(const D3DVERTEXELEMENT9* elements);

    HRESULT GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) override;

    const std::vector<Attribute>& Attributes() const { return attributes; }

private:
    VertexDeclaration() = default;

    std::vector<D3DVERTEXELEMENT9> elements; // with the end marker
    std::vector<Attribute> attributes;
};
