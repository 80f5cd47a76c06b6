// An image file after decoding: what D3DX reports about the file, and the texels of each face
// (one for a 2D image, six for a cube map in the order +X, -X, +Y, -Y, +Z, -Z) with the mip
// levels the file stores, largest first.
#pragma once

#include "Platform/D3DX9/D3DXTexture.h"
#include "Platform/D3DX9/TextureImage.h"

#include <vector>

struct DecodedImage {
    D3DXIMAGE_INFO info{};
    // True when the file's texels have an alpha channel worth keeping.
    bool hasAlpha = false;
    std::vector<std::vector<TextureImage>> faces;
};
