// What an effect file declares, as the parser found it: the input of the GLSL generator and of
// the effect object.
#pragma once

#include "Platform/D3DX9/EffectError.h"

#include <cstdint>
#include <string>
#include <vector>

enum class EffectBaseType {
    Float,
    Int,
    Bool,
    Texture, // "texture": any kind, fixed by the sampler that reads it
    Texture2D,
    TextureCube,
    Texture3D,
    Sampler2D,
    SamplerCube,
    Sampler3D,
};

// A type as written: float3 is {Float, 1, 3}, float4x4 is {Float, 4, 4}, float is {Float, 1, 1}.
struct EffectType {
    EffectBaseType base = EffectBaseType::Float;
    int rows = 1;
    int columns = 1;

    bool IsNumeric() const { return base <= EffectBaseType::Bool; }
    bool IsSampler() const { return base >= EffectBaseType::Sampler2D; }
    bool IsTexture() const { return !IsNumeric() && !IsSampler(); }
    int Components() const { return rows * columns; }
    bool operator==(const EffectType&) const = default;
};

struct EffectAnnotation {
    enum class Kind { String, Float, Int, Bool };
    Kind kind = Kind::String;
    std::string name;
    std::string text;    // a string's value
    float number = 0.0f; // a float's, int's or bool's value (true is 1)
};

// A render or sampler state assignment with Direct3D 9's state number and value, e.g.
// CullMode = None is {"CullMode", D3DRS_CULLMODE (22), D3DCULL_NONE (1)}.
struct EffectStateAssignment {
    std::string name; // as the state table spells it
    std::uint32_t state = 0;
    std::uint32_t value = 0;
};

struct EffectParameter {
    std::string name;
    std::string semantic; // upper-cased, empty when none
    EffectType type;
    int arraySize = 0; // 0: not an array
    bool shared = false;
    std::vector<EffectAnnotation> annotations;
    std::vector<float> initialValues;                 // numbers as written (bools as 0 or 1)
    std::vector<EffectStateAssignment> samplerStates; // samplers only
    std::string samplerTexture; // samplers: the texture parameter named by Texture = <Name>
    SourceLocation location;
};

// A semantic with its index: TEXCOORD is TEXCOORD0, TEXCOORD1 stays.
std::string IndexedSemantic(const std::string& semantic);

struct EffectFunctionParameter {
    EffectType type;
    std::string name;
    std::string semantic; // upper-cased
    bool out = false;
};

struct EffectFunction {
    enum class Stage { Vertex, Fragment };
    Stage stage = Stage::Vertex;
    std::string name;
    std::vector<EffectFunctionParameter> parameters;
    std::string body; // GLSL, between the braces
    SourceLocation location;
};

struct EffectPass {
    std::string name;
    std::vector<EffectAnnotation> annotations;
    std::vector<EffectStateAssignment> renderStates; // in the order written
    std::string vertexShader;                        // the vertex function's name
    std::string pixelShader;                         // the fragment function's name
    SourceLocation location;
};

struct EffectTechnique {
    std::string name;
    std::vector<EffectAnnotation> annotations;
    std::vector<EffectPass> passes;
    SourceLocation location;
};

struct EffectDescription {
    std::vector<EffectParameter> parameters;
    std::vector<EffectFunction> functions;
    std::vector<EffectTechnique> techniques;
    // Helper functions, structures and constants, verbatim GLSL in the order written; both
    // stages of every pass see all of it.
    std::string sharedCode;

    const EffectParameter* FindParameter(const std::string& name) const;
    const EffectFunction* FindFunction(const std::string& name) const;
};
