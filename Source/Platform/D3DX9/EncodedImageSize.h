// Whether an image file is long enough to hold the pixels its header declares. stb_image reads
// zeros past the end of a BMP, TGA or JPEG file, so a few hundred bytes claiming 8192 x 8192
// texels would decode as a whole picture at the cost of seconds and gigabytes; files shorter
// than the densest encoding their format allows are refused before decoding. PNG needs no
// check: stb_image refuses PNG data that ends early.
#pragma once

#include "Platform/D3D9/D3D9Types.h"
#include "Platform/D3DX9/D3DXImageFileFormat.h"

#include <cstdint>
#include <span>

bool HoldsDeclaredPixels(std::span<const std::uint8_t> file, D3DXIMAGE_FILEFORMAT format,
                         UINT width, UINT height);
