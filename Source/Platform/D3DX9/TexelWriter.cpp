#include "Platform/D3DX9/TexelWriter.h"

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
    case D3DFMT_A8R8G8B8:
    case D3DFMT_X8R8G8B8:
    case D3DFMT_G16R16:
    case D3DFMT_R32F:
        return 4;
    case D3DFMT_A16B16G16R16:
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
