// The render and sampler states an effect pass or sampler_state block may assign, with
// Direct3D 9's state numbers and value names. Names are matched without regard to case, as
// the original effect compiler does.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Direct3D 9 state numbers that code outside the parser needs by name.
namespace EffectStateNumbers {
constexpr std::uint32_t alphaTestEnable = 15; // D3DRS_ALPHATESTENABLE
constexpr std::uint32_t alphaRef = 24;        // D3DRS_ALPHAREF
constexpr std::uint32_t alphaFunc = 25;       // D3DRS_ALPHAFUNC
} // namespace EffectStateNumbers

// D3DCMPFUNC values.
enum class EffectCompare : std::uint32_t {
    Never = 1,
    Less,
    Equal,
    LessEqual,
    Greater,
    NotEqual,
    GreaterEqual,
    Always
};

struct EffectStateInfo {
    enum class Values {
        Number,         // integers only
        Bool,           // true, false
        ZBuffer,        // true, false, UseW
        Compare,        // D3DCMPFUNC
        Blend,          // D3DBLEND
        BlendOp,        // D3DBLENDOP
        Cull,           // D3DCULL
        Fill,           // D3DFILLMODE
        StencilOp,      // D3DSTENCILOP
        ColorMask,      // Red | Green | Blue | Alpha
        TextureFilter,  // D3DTEXTUREFILTERTYPE
        TextureAddress, // D3DTEXTUREADDRESS
    };
    const char* name;
    std::uint32_t state;
    Values values;
};

const EffectStateInfo* FindRenderState(const std::string& name);
const EffectStateInfo* FindSamplerState(const std::string& name);

// The value of a name (e.g. "InvSrcAlpha") for a state's kind of values; none when the kind has
// no such name. Numbers are not names: the parser converts them.
std::optional<std::uint32_t> StateValueByName(EffectStateInfo::Values values,
                                              const std::string& name);
