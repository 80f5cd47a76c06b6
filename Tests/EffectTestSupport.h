// Effects from text for the parser and generator tests: includes served from a map.
#pragma once

#include "Platform/D3DX9/EffectParser.h"
#include "Platform/D3DX9/EffectSource.h"

#include <initializer_list>
#include <map>
#include <optional>
#include <string>

class MapIncludes : public IncludeHandler {
public:
    MapIncludes() = default;
    MapIncludes(std::initializer_list<std::pair<const std::string, std::string>> includeFiles)
        : files(includeFiles) {}

    std::optional<std::string> Open(const std::string& name) override {
        const auto found = files.find(name);
        if (found == files.end()) return std::nullopt;
        return found->second;
    }

private:
    std::map<std::string, std::string> files;
};

inline EffectDescription ParseEffect(const std::string& text, MapIncludes includes = {}) {
    const EffectSource source("test.fx", text, &includes);
    return EffectParser(source).Parse();
}

// The message of the error the text gives, or "no error".
inline std::string EffectErrorOf(const std::string& text, MapIncludes includes = {}) {
    try {
        ParseEffect(text, std::move(includes));
    } catch (const EffectError& error) {
        return error.what();
    }
    return "no error";
}

// The effect of the format's reference sketch, with its include.
inline const char* sampleEffect = R"(#include "common.fxh"

shared float4x4 ViewProj : VIEWPROJ;
shared texture  NoiseTex : NOISETEX;
float4   Value1  : VALUE1 = {1, 1, 1, 1};
texture  Grain   : TEXTURE0 < string ResourceName = "grain.png"; string Filter = "NONE"; >;
sampler2D GrainS = sampler_state { Texture = <Grain>; MinFilter = Linear; AddressU = Wrap; };

vertex QuadVS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float2 vUv : TEXCOORD0) {
    gl_Position = vec4(pos, 1.0);
    vUv = uv;
}
fragment BlitPS(float2 vUv : TEXCOORD0, out float4 colour : COLOR0) {
    colour = texture(GrainS, vUv) * Value1 * Brightness;
}
technique BlitQuad {
    pass P0 { ZEnable = false; CullMode = None; VertexShader = QuadVS; PixelShader = BlitPS; }
}
)";

inline MapIncludes SampleIncludes() {
    return {{"common.fxh", "float Brightness : BRIGHTNESS = 0.5;\n"}};
}
