// Decodes an image file in memory by its contents: DDS by its signature, everything else
// through stb_image.
#pragma once

#include "Platform/D3DX9/DecodedImage.h"

#include <cstdint>
#include <optional>
#include <span>

// The largest texture side the loaders make, the device's limit.
constexpr UINT kMaxTextureDimension = 8192;

// Nothing for every file that is not a whole, decodable image of at most maxDimension texels a
// side.
std::optional<DecodedImage> DecodeImageFile(std::span<const std::uint8_t> file,
                                            UINT maxDimension = kMaxTextureDimension);
