// Uncompressed DDS files: 2D images and complete cube maps, with the mip levels they store.
#pragma once

#include "Platform/D3DX9/DecodedImage.h"

#include <cstdint>
#include <optional>
#include <span>

bool HasDdsSignature(std::span<const std::uint8_t> file);
// Nothing when the header is damaged or lies about the sizes, the texels are compressed or of
// an unsupported kind, the file is a volume or a partial cube map, a side is 0 or larger than
// maxDimension, or the file is shorter than its levels.
std::optional<DecodedImage> DecodeDds(std::span<const std::uint8_t> file, UINT maxDimension);
