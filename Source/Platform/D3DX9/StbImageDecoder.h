// PNG, JPEG, TGA and BMP files through stb_image, as 8-bit grey, grey and alpha, RGB or RGBA.
#pragma once

#include "Platform/D3DX9/DecodedImage.h"

#include <cstdint>
#include <optional>
#include <span>

// Nothing when stb_image cannot decode the file, or a side is 0 or larger than maxDimension.
std::optional<DecodedImage> DecodeWithStb(std::span<const std::uint8_t> file, UINT maxDimension);
