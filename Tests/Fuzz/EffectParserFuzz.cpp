// libFuzzer target: the effect parser and the GLSL generator on arbitrary text, with an include
// handler that serves two fixed includes (one of which includes the other) and fails any other
// name. Every fault must come out as an EffectError; anything else is a finding.

#include "Platform/D3DX9/EffectParser.h"
#include "Platform/D3DX9/EffectSource.h"
#include "Platform/D3DX9/GlslGenerator.h"

#include <cstdint>
#include <optional>
#include <string>

namespace {

class FixedIncludes : public IncludeHandler {
public:
    std::optional<std::string> Open(const std::string& name) override {
        if (name == "common.fxh")
            return std::string("shared float4x4 ViewProj : VIEWPROJ;\n#include \"util.fxh\"\n");
        if (name == "util.fxh")
            return std::string("float Luma(vec3 c) { return dot(c, vec3(0.3, 0.59, 0.11)); }\n");
        return std::nullopt;
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    FixedIncludes includes;
    try {
        const EffectSource source("fuzz.fx", text, &includes);
        const EffectDescription effect = EffectParser(source).Parse();
        const GlslGenerator generator(effect);
        for (const EffectTechnique& technique : effect.techniques)
            for (const EffectPass& pass : technique.passes) {
                try {
                    generator.Generate(pass);
                } catch (const EffectError&) {
                    // A pass whose stages do not fit together is expected input.
                }
            }
    } catch (const EffectError&) {
        // A broken effect is expected input.
    }
    return 0;
}
