#include "Platform/D3DX9/DdsPixelFormat.h"

#include <bit>
#include <cmath>
#include <limits>

namespace {

constexpr std::uint32_t kAlphaPixels = 0x1;
constexpr std::uint32_t kAlphaOnly = 0x2;
constexpr std::uint32_t kFourCC = 0x4;
constexpr std::uint32_t kPaletteIndexed8 = 0x20;
constexpr std::uint32_t kRgb = 0x40;
constexpr std::uint32_t kYuv = 0x200;
constexpr std::uint32_t kLuminance = 0x20000;
constexpr std::uint32_t kBumpDuDv = 0x80000;

std::uint32_t ReadLittleEndian(const std::uint8_t* bytes, UINT count) {
    std::uint32_t value = 0;
    for (UINT i = 0; i < count; ++i)
        value |= static_cast<std::uint32_t>(bytes[i]) << (8 * i);
    return value;
}

float HalfToFloat(std::uint16_t half) {
    const int exponent = (half >> 10) & 0x1F;
    const int mantissa = half & 0x3FF;
    float magnitude;
    if (exponent == 0)
        magnitude = std::ldexp(static_cast<float>(mantissa), -24);
    else if (exponent == 31)
        magnitude = mantissa ? std::numeric_limits<float>::quiet_NaN()
                             : std::numeric_limits<float>::infinity();
    else
        magnitude = std::ldexp(static_cast<float>(mantissa + 1024), exponent - 25);
    return (half & 0x8000) ? -magnitude : magnitude;
}

// A mask is usable when it is one run of bits inside the texel.
bool ValidMask(std::uint32_t mask, std::uint32_t bitCount) {
    if (mask == 0) return true;
    if (bitCount < 32 && (mask >> bitCount) != 0) return false;
    const std::uint32_t run = mask >> std::countr_zero(mask);
    return (run & (run + 1)) == 0;
}

} // namespace

std::optional<DdsPixelFormat> DdsPixelFormat::From(const DdsPixelFormatFields& fields) {
    DdsPixelFormat format;
    if (fields.flags & kFourCC) {
        struct Wide {
            D3DFORMAT format;
            Layout layout;
            UINT channelCount;
            UINT bytesPerChannel;
        };
        static constexpr Wide kWideFormats[] = {
            {D3DFMT_A16B16G16R16, Layout::Unorm16, 4, 2},
            {D3DFMT_R16F, Layout::Half, 1, 2},
            {D3DFMT_G16R16F, Layout::Half, 2, 2},
            {D3DFMT_A16B16G16R16F, Layout::Half, 4, 2},
            {D3DFMT_R32F, Layout::Float, 1, 4},
            {D3DFMT_G32R32F, Layout::Float, 2, 4},
            {D3DFMT_A32B32G32R32F, Layout::Float, 4, 4},
        };
        for (const Wide& wide : kWideFormats) {
            if (wide.format != fields.fourCC) continue;
            format.layout = wide.layout;
            format.channelCount = wide.channelCount;
            format.bytesPerTexel = wide.channelCount * wide.bytesPerChannel;
            format.fileFormat = wide.format;
            return format;
        }
        return std::nullopt; // block-compressed and every other FourCC
    }
    if (fields.flags & (kPaletteIndexed8 | kYuv | kBumpDuDv)) return std::nullopt;
    if (!(fields.flags & (kRgb | kLuminance | kAlphaOnly))) return std::nullopt;
    if (fields.bitCount != 8 && fields.bitCount != 16 && fields.bitCount != 24 &&
        fields.bitCount != 32)
        return std::nullopt;
    format.bytesPerTexel = fields.bitCount / 8;
    if (!format.SetMasks(fields)) return std::nullopt;

    const bool alpha = format.channels[3].mask != 0;
    const bool rgb = fields.flags & kRgb;
    const bool standard =
        fields.redMask == 0xFF0000 && fields.greenMask == 0xFF00 && fields.blueMask == 0xFF;
    if (format.luminance)
        format.fileFormat = alpha ? D3DFMT_A8R8G8B8 : D3DFMT_L8;
    else if (!rgb)
        format.fileFormat = D3DFMT_A8;
    else if (standard && fields.bitCount == 24)
        format.fileFormat = D3DFMT_R8G8B8;
    else if (fields.bitCount == 16 && !alpha && fields.redMask == 0xF800 &&
             fields.greenMask == 0x7E0 && fields.blueMask == 0x1F)
        format.fileFormat = D3DFMT_R5G6B5;
    else
        format.fileFormat = alpha ? D3DFMT_A8R8G8B8 : D3DFMT_X8R8G8B8;
    return format;
}

bool DdsPixelFormat::SetMasks(const DdsPixelFormatFields& fields) {
    std::uint32_t masks[4] = {0, 0, 0, 0};
    if (fields.flags & kRgb) {
        masks[0] = fields.redMask;
        masks[1] = fields.greenMask;
        masks[2] = fields.blueMask;
        if ((masks[0] | masks[1] | masks[2]) == 0) return false;
    } else if (fields.flags & kLuminance) {
        luminance = true;
        masks[0] = fields.redMask;
        if (masks[0] == 0) return false;
    }
    if (fields.flags & (kAlphaPixels | kAlphaOnly)) {
        masks[3] = fields.alphaMask;
        if (masks[3] == 0) return false;
    }
    for (int i = 0; i < 4; ++i) {
        if (!ValidMask(masks[i], fields.bitCount)) return false;
        if (masks[i] == 0) continue;
        channels[i].mask = masks[i];
        channels[i].shift = std::countr_zero(masks[i]);
        channels[i].scale = 1.0f / static_cast<float>(masks[i] >> channels[i].shift);
    }
    return true;
}

TextureImage::Texel DdsPixelFormat::Read(const std::uint8_t* texel) const {
    TextureImage::Texel result{1, 1, 1, 1};
    switch (layout) {
    case Layout::Masked: {
        const std::uint32_t word = ReadLittleEndian(texel, bytesPerTexel);
        float values[4] = {1, 1, 1, 1};
        for (int i = 0; i < 4; ++i) {
            const Channel& channel = channels[i];
            if (channel.mask != 0)
                values[i] =
                    static_cast<float>((word & channel.mask) >> channel.shift) * channel.scale;
        }
        const bool alphaOnly =
            !luminance && (channels[0].mask | channels[1].mask | channels[2].mask) == 0;
        if (luminance) values[1] = values[2] = values[0];
        if (alphaOnly) values[0] = values[1] = values[2] = 0;
        return {values[0], values[1], values[2], values[3]};
    }
    case Layout::Unorm16:
        for (UINT i = 0; i < channelCount; ++i)
            result[i] = static_cast<float>(ReadLittleEndian(texel + 2 * i, 2)) / 65535.0f;
        return result;
    case Layout::Half:
        for (UINT i = 0; i < channelCount; ++i)
            result[i] = HalfToFloat(static_cast<std::uint16_t>(ReadLittleEndian(texel + 2 * i, 2)));
        return result;
    case Layout::Float:
        for (UINT i = 0; i < channelCount; ++i)
            result[i] = std::bit_cast<float>(ReadLittleEndian(texel + 4 * i, 4));
        return result;
    }
    return result;
}
