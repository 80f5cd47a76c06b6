#include "Platform/D3DX9/EffectStates.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <span>

namespace {

using Values = EffectStateInfo::Values;

constexpr EffectStateInfo renderStates[] = {
    {"ZEnable", 7, Values::ZBuffer},
    {"FillMode", 8, Values::Fill},
    {"ZWriteEnable", 14, Values::Bool},
    {"AlphaTestEnable", 15, Values::Bool},
    {"SrcBlend", 19, Values::Blend},
    {"DestBlend", 20, Values::Blend},
    {"CullMode", 22, Values::Cull},
    {"ZFunc", 23, Values::Compare},
    {"AlphaRef", 24, Values::Number},
    {"AlphaFunc", 25, Values::Compare},
    {"AlphaBlendEnable", 27, Values::Bool},
    {"StencilEnable", 52, Values::Bool},
    {"StencilFail", 53, Values::StencilOp},
    {"StencilZFail", 54, Values::StencilOp},
    {"StencilPass", 55, Values::StencilOp},
    {"StencilFunc", 56, Values::Compare},
    {"StencilRef", 57, Values::Number},
    {"StencilMask", 58, Values::Number},
    {"StencilWriteMask", 59, Values::Number},
    {"ColorWriteEnable", 168, Values::ColorMask},
    {"BlendOp", 171, Values::BlendOp},
    {"ScissorTestEnable", 174, Values::Bool},
    {"TwoSidedStencilMode", 185, Values::Bool},
    {"CCW_StencilFail", 186, Values::StencilOp},
    {"CCW_StencilZFail", 187, Values::StencilOp},
    {"CCW_StencilPass", 188, Values::StencilOp},
    {"CCW_StencilFunc", 189, Values::Compare},
    {"ColorWriteEnable1", 190, Values::ColorMask},
    {"ColorWriteEnable2", 191, Values::ColorMask},
    {"ColorWriteEnable3", 192, Values::ColorMask},
    {"SeparateAlphaBlendEnable", 206, Values::Bool},
    {"SrcBlendAlpha", 207, Values::Blend},
    {"DestBlendAlpha", 208, Values::Blend},
    {"BlendOpAlpha", 209, Values::BlendOp},
};

constexpr EffectStateInfo samplerStates[] = {
    {"AddressU", 1, Values::TextureAddress}, {"AddressV", 2, Values::TextureAddress},
    {"AddressW", 3, Values::TextureAddress}, {"BorderColor", 4, Values::Number},
    {"MagFilter", 5, Values::TextureFilter}, {"MinFilter", 6, Values::TextureFilter},
    {"MipFilter", 7, Values::TextureFilter}, {"MaxMipLevel", 9, Values::Number},
    {"MaxAnisotropy", 10, Values::Number},
};

struct ValueName {
    Values values;
    const char* name;
    std::uint32_t value;
};

constexpr ValueName valueNames[] = {
    {Values::Bool, "false", 0},
    {Values::Bool, "true", 1},
    {Values::ZBuffer, "false", 0},
    {Values::ZBuffer, "true", 1},
    {Values::ZBuffer, "UseW", 2},
    {Values::Compare, "Never", 1},
    {Values::Compare, "Less", 2},
    {Values::Compare, "Equal", 3},
    {Values::Compare, "LessEqual", 4},
    {Values::Compare, "Greater", 5},
    {Values::Compare, "NotEqual", 6},
    {Values::Compare, "GreaterEqual", 7},
    {Values::Compare, "Always", 8},
    {Values::Blend, "Zero", 1},
    {Values::Blend, "One", 2},
    {Values::Blend, "SrcColor", 3},
    {Values::Blend, "InvSrcColor", 4},
    {Values::Blend, "SrcAlpha", 5},
    {Values::Blend, "InvSrcAlpha", 6},
    {Values::Blend, "DestAlpha", 7},
    {Values::Blend, "InvDestAlpha", 8},
    {Values::Blend, "DestColor", 9},
    {Values::Blend, "InvDestColor", 10},
    {Values::Blend, "SrcAlphaSat", 11},
    {Values::Blend, "BlendFactor", 14},
    {Values::Blend, "InvBlendFactor", 15},
    {Values::BlendOp, "Add", 1},
    {Values::BlendOp, "Subtract", 2},
    {Values::BlendOp, "RevSubtract", 3},
    {Values::BlendOp, "Min", 4},
    {Values::BlendOp, "Max", 5},
    {Values::Cull, "None", 1},
    {Values::Cull, "CW", 2},
    {Values::Cull, "CCW", 3},
    {Values::Fill, "Point", 1},
    {Values::Fill, "Wireframe", 2},
    {Values::Fill, "Solid", 3},
    {Values::StencilOp, "Keep", 1},
    {Values::StencilOp, "Zero", 2},
    {Values::StencilOp, "Replace", 3},
    {Values::StencilOp, "IncrSat", 4},
    {Values::StencilOp, "DecrSat", 5},
    {Values::StencilOp, "Invert", 6},
    {Values::StencilOp, "Incr", 7},
    {Values::StencilOp, "Decr", 8},
    {Values::ColorMask, "Red", 1},
    {Values::ColorMask, "Green", 2},
    {Values::ColorMask, "Blue", 4},
    {Values::ColorMask, "Alpha", 8},
    {Values::TextureFilter, "None", 0},
    {Values::TextureFilter, "Point", 1},
    {Values::TextureFilter, "Linear", 2},
    {Values::TextureFilter, "Anisotropic", 3},
    {Values::TextureAddress, "Wrap", 1},
    {Values::TextureAddress, "Mirror", 2},
    {Values::TextureAddress, "Clamp", 3},
    {Values::TextureAddress, "Border", 4},
    {Values::TextureAddress, "MirrorOnce", 5},
};

bool SameIgnoringCase(const std::string& a, const char* b) {
    const std::string_view other(b);
    return std::ranges::equal(a, other, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

const EffectStateInfo* Find(std::span<const EffectStateInfo> table, const std::string& name) {
    const auto found = std::ranges::find_if(
        table, [&](const EffectStateInfo& info) { return SameIgnoringCase(name, info.name); });
    return found == table.end() ? nullptr : &*found;
}

} // namespace

const EffectStateInfo* FindRenderState(const std::string& name) {
    return Find(renderStates, name);
}

const EffectStateInfo* FindSamplerState(const std::string& name) {
    return Find(samplerStates, name);
}

std::optional<std::uint32_t> StateValueByName(Values values, const std::string& name) {
    for (const ValueName& entry : valueNames)
        if (entry.values == values && SameIgnoringCase(name, entry.name)) return entry.value;
    return std::nullopt;
}
