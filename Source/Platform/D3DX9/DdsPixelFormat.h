// How the texels of an uncompressed DDS file read: either bit masks over 8 to 32-bit words (RGB,
// luminance, alpha) or one of the 16 and 32-bit-per-channel formats DDS names by their
// D3DFORMAT number.
#pragma once

#include "Platform/D3DX9/TextureImage.h"

#include <cstdint>
#include <optional>

struct DdsPixelFormatFields {
    std::uint32_t flags;
    std::uint32_t fourCC;
    std::uint32_t bitCount;
    std::uint32_t redMask, greenMask, blueMask, alphaMask;
};

class DdsPixelFormat {
public:
    // Nothing for compressed, palettised, YUV, bump-map and malformed pixel formats.
    static std::optional<DdsPixelFormat> From(const DdsPixelFormatFields& fields);

    UINT BytesPerTexel() const { return bytesPerTexel; }
    // The format D3DX reports for the file.
    D3DFORMAT FileFormat() const { return fileFormat; }
    // Reads one texel of BytesPerTexel() bytes; channels the file lacks read as Direct3D reads
    // them (colour 0 beside alpha-only data, 1 elsewhere).
    TextureImage::Texel Read(const std::uint8_t* texel) const;

private:
    enum class Layout { Masked, Unorm16, Half, Float };
    struct Channel {
        std::uint32_t mask = 0;
        int shift = 0;
        float scale = 0; // 1 / the mask's largest value
    };

    DdsPixelFormat() = default;
    bool SetMasks(const DdsPixelFormatFields& fields);

    Layout layout = Layout::Masked;
    UINT bytesPerTexel = 0;
    UINT channelCount = 0; // for the 16 and 32-bit-per-channel layouts
    D3DFORMAT fileFormat = D3DFMT_UNKNOWN;
    bool luminance = false;
    Channel channels[4]; // r (or luminance), g, b, a; an empty mask is a missing channel
};
