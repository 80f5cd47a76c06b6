#include "Platform/D3DX9/TexelWriter.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

// NaN writes 0.
float Saturate(float value) {
    return value > 0 ? (value < 1 ? value : 1) : 0;
}

std::uint8_t Unorm8(float value) {
    return static_cast<std::uint8_t>(Saturate(value) * 255.0f + 0.5f);
}

void PutUnorm16(std::uint8_t* out, float value) {
    const auto bits = static_cast<std::uint16_t>(Saturate(value) * 65535.0f + 0.5f);
    out[0] = static_cast<std::uint8_t>(bits);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
}

std::uint16_t FloatToHalf(float value) {
    const std::uint16_t sign = std::signbit(value) ? 0x8000 : 0;
    const float magnitude = std::fabs(value);
    if (std::isnan(value)) return sign | 0x7E00;
    if (magnitude >= 65520.0f) return sign | 0x7C00; // rounds past the largest half: infinity
    if (magnitude < 0x1p-14f) // subnormal; 1024 steps up into the smallest normal's encoding
        return sign | static_cast<std::uint16_t>(std::nearbyint(magnitude * 0x1p24f));
    int exponent = 0;
    const float fraction = std::frexp(magnitude, &exponent); // magnitude = fraction * 2^exponent
    auto mantissa = static_cast<std::uint32_t>(std::nearbyint((fraction * 2 - 1) * 1024));
    auto biased = static_cast<std::uint32_t>(exponent + 14);
    if (mantissa == 1024) {
        mantissa = 0;
        ++biased;
    }
    return static_cast<std::uint16_t>(sign | biased << 10 | mantissa);
}

void PutHalf(std::uint8_t* out, float value) {
    const std::uint16_t bits = FloatToHalf(value);
    out[0] = static_cast<std::uint8_t>(bits);
    out[1] = static_cast<std::uint8_t>(bits >> 8);
}

void WriteTexel(const TextureImage::Texel& texel, D3DFORMAT format, std::uint8_t* out) {
    const auto [r, g, b, a] = texel;
    switch (format) {
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
        out[0] = Unorm8(b);
        out[1] = Unorm8(g);
        out[2] = Unorm8(r);
        out[3] = format == D3DFMT_X8R8G8B8 ? 0xFF : Unorm8(a);
        return;
    case D3DFMT_L8:
        out[0] = Unorm8(0.2126f * r + 0.7152f * g + 0.0722f * b);
        return;
    case D3DFMT_A8:
        out[0] = Unorm8(a);
        return;
    case D3DFMT_G16R16:
    case D3DFMT_A16B16G16R16:
        for (int c = 0; c < (format == D3DFMT_G16R16 ? 2 : 4); ++c)
            PutUnorm16(out + 2 * c, texel[c]);
        return;
    case D3DFMT_R16F:
    case D3DFMT_G16R16F:
    case D3DFMT_A16B16G16R16F:
        for (UINT c = 0; c < TexelSize(format) / 2; ++c)
            PutHalf(out + 2 * c, texel[c]);
        return;
    case D3DFMT_R32F:
    case D3DFMT_G32R32F:
    case D3DFMT_A32B32G32R32F:
        std::memcpy(out, texel.data(), TexelSize(format));
        return;
    default:
        return;
    }
}

} // namespace

UINT TexelSize(D3DFORMAT format) {
    switch (format) {
    case D3DFMT_L8:
    case D3DFMT_A8:
        return 1;
    case D3DFMT_R16F:
        return 2;
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    case D3DFMT_G16R16:
    case D3DFMT_G16R16F:
    case D3DFMT_R32F:
        return 4;
    case D3DFMT_A16B16G16R16:
    case D3DFMT_A16B16G16R16F:
    case D3DFMT_G32R32F:
        return 8;
    case D3DFMT_A32B32G32R32F:
        return 16;
    default:
        return 0;
    }
}

void WriteTexels(const TextureImage& image, D3DFORMAT format, const D3DLOCKED_RECT& locked) {
    const UINT size = TexelSize(format);
    for (UINT y = 0; y < image.height; ++y) {
        auto* row = static_cast<std::uint8_t*>(locked.pBits) +
                    static_cast<std::ptrdiff_t>(y) * locked.Pitch;
        for (UINT x = 0; x < image.width; ++x)
            WriteTexel(image.At(x, y), format, row + x * size);
    }
}
