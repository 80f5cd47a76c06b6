// Reads effect text (includes already expanded by EffectSource) into an EffectDescription.
//
// The format, one declaration after another:
//   parameter  ['shared'] type Name ['[' N ']'] [':' SEMANTIC] [annotations] ['=' initialiser] ';'
//              type: float, float2..4, float4x4, int, bool, texture, texture2D, textureCUBE,
//              texture3D, sampler (2D), sampler2D, samplerCUBE, sampler3D
//              initialiser: a number, true/false, '{' values '}', or for samplers
//              'sampler_state' '{' { State '=' value ';' | 'Texture' '=' '<' Name '>' ';' } '}'
//   annotations '<' { (string | float | int | bool) Name '=' value ';' } '>'
//   stage function 'vertex' | 'fragment' Name '(' [['in' | 'out'] type name ':' SEMANTIC, ...] ')'
//              '{' GLSL '}'
//   technique  'technique' Name [annotations] '{' { 'pass' Name [annotations] '{'
//              { State '=' value ';' | 'VertexShader' '=' Name ';' | 'PixelShader' '=' Name ';' }
//              '}' } '}'
//   shared code a GLSL function (any return type, then Name '('), 'struct' ... '}' ';' or
//              'const' ... ';', kept verbatim for both stages.
// State names and value names are case-insensitive (see EffectStates.h); a value may also be a
// number, or several values joined by '|'. Functions are declared before the passes that name
// them. Semantics are case-insensitive and stored upper-case.
// Every fault throws EffectError with the file and line of the token at fault.
#pragma once

#include "Platform/D3DX9/EffectDescription.h"
#include "Platform/D3DX9/EffectLexer.h"
#include "Platform/D3DX9/EffectStates.h"

#include <cstdint>
#include <optional>
#include <string>

class EffectParser {
public:
    explicit EffectParser(const EffectSource& source);

    EffectDescription Parse();

private:
    void ParseDeclaration();
    void ParseParameter(bool shared, const EffectToken& typeToken, const EffectType& type);
    void ParseInitialValues(EffectParameter& parameter);
    void ParseSamplerState(EffectParameter& parameter);
    void ParseStageFunction(EffectFunction::Stage stage);
    void ParseTechnique();
    EffectPass ParsePass();
    void ParseSharedCode(const EffectToken& first);
    std::vector<EffectAnnotation> ParseAnnotations();
    EffectStateAssignment ParseStateValue(const EffectToken& stateToken,
                                          const EffectStateInfo& info);
    float ParseSignedNumber();
    std::uint32_t ParseInteger(const EffectToken& token);

    EffectToken Expect(const std::string& symbol);
    EffectToken ExpectIdentifier(const std::string& what);
    bool Accept(const std::string& symbol);
    [[noreturn]] void Fail(const EffectToken& at, const std::string& text) const;
    void CheckUnique(const EffectToken& name) const;

    const EffectSource& source;
    EffectLexer lexer;
    EffectDescription description;
};

// The effect type a name stands for ("float3", or GLSL's "vec3" in function parameters).
std::optional<EffectType> EffectTypeByName(const std::string& name);
