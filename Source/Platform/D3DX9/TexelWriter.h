// Writes a texture image into a locked level in a texture format: 32-bit colour as B, G, R, A
// bytes (X8 writes 0xFF), L8 as Rec. 709 luminance, 16-bit normalised, 16-bit and 32-bit float
// channels R first. Normalised channels are clamped to 0..1 and rounded; halves round to nearest.
#pragma once

#include "Platform/D3DX9/TextureImage.h"

// 0 for formats that cannot be written.
UINT TexelSize(D3DFORMAT format);
// The image must have the level's size and the format a TexelSize.
void WriteTexels(const TextureImage& image, D3DFORMAT format, const D3DLOCKED_RECT& locked);
