// One level of a texture image on the CPU: RGBA texels as floats, row 0 at the top. Decoders
// write every file format into it and the resampler, the mip chain and the texel writer read it,
// so that filtering works the same for 8-bit and floating-point files.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <array>
#include <cstddef>
#include <vector>

struct TextureImage {
    using Texel = std::array<float, 4>; // r, g, b, a

    TextureImage() = default;
    TextureImage(UINT imageWidth, UINT imageHeight, Texel fill = {0, 0, 0, 0})
        : width(imageWidth), height(imageHeight),
          texels(static_cast<std::size_t>(imageWidth) * imageHeight, fill) {}

    Texel& At(UINT x, UINT y) { return texels[static_cast<std::size_t>(y) * width + x]; }
    const Texel& At(UINT x, UINT y) const {
        return texels[static_cast<std::size_t>(y) * width + x];
    }

    UINT width = 0;
    UINT height = 0;
    std::vector<Texel> texels;
};
