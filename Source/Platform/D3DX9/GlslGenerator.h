// Writes, for one pass of an effect, the complete GLSL 330 core vertex and fragment sources.
//
// Both stages declare every numeric parameter and sampler as a uniform of the parameter's own
// name (textures have none: they reach the shaders through their samplers), then the shared
// code, then the stage function as a GLSL function of its own name, and a main() that calls it:
// - Vertex inputs are attributes at fixed locations by semantic (AttributeLocation); the
//   vertex declarations of the device use the same table.
// - A vertex output and a fragment input meet in the varying lv_v_<SEMANTIC>; a fragment input
//   may take fewer components than the vertex writes. An output POSITION becomes gl_Position;
//   a function may also write gl_Position itself.
// - Fragment outputs COLOR0..COLOR3 are lv_out_COLORn at layout(location = n); DEPTH is
//   gl_FragDepth.
// - The vertex epilogue (VertexEpilogue) is the one place where Direct3D's clip space is made
//   OpenGL's. The fragment epilogue emulates the alpha test when the pass enables it.
// A semantic without a digit means index 0 (TEXCOORD is TEXCOORD0).
#pragma once

#include "Platform/D3DX9/EffectDescription.h"

#include <string>

struct GlslProgram {
    std::string vertexSource;
    std::string fragmentSource;
};

class GlslGenerator {
public:
    explicit GlslGenerator(const EffectDescription& description);

    // Throws EffectError at the pass when it lacks a shader or its stages do not fit together.
    GlslProgram Generate(const EffectPass& pass) const;

    // The attribute location of a vertex input semantic, -1 when the semantic has none:
    //   POSITION 0, BLENDWEIGHT 1, NORMAL 2, COLOR0 3, COLOR1 4, FOG 5, PSIZE 6, BLENDINDICES 7,
    //   TEXCOORD0..7 8..15, TANGENT 14 and BINORMAL 15 (sharing TEXCOORD6 and 7).
    static int AttributeLocation(const std::string& semantic);

private:
    std::string Declarations() const;
    std::string VertexSource(const EffectFunction& function) const;
    std::string FragmentSource(const EffectPass& pass, const EffectFunction& vertex,
                               const EffectFunction& fragment) const;

    const EffectDescription& description;
};
