// Everything the texture loaders compute before the device is involved: the file decoded, the
// texture's layout chosen and every face's mip chain built.
#pragma once

#include "Platform/D3DX9/ImageDecoder.h"
#include "Platform/D3DX9/TextureImage.h"
#include "Platform/D3DX9/TextureLayout.h"

#include <cstdint>
#include <span>
#include <vector>

struct TextureRequest {
    UINT width = D3DX_DEFAULT;
    UINT height = D3DX_DEFAULT;
    UINT mipLevels = D3DX_DEFAULT;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    DWORD filter = D3DX_DEFAULT;
    DWORD mipFilter = D3DX_DEFAULT;
    D3DCOLOR colorKey = 0;
    UINT maxDimension = kMaxTextureDimension; // the device's largest texture side
};

struct TextureContents {
    D3DXIMAGE_INFO file{};
    TextureLayout layout{};
    std::vector<std::vector<TextureImage>> faces; // faces[face][level]
};

// D3DXERR_INVALIDDATA for a file that does not decode (or, for a cube, is not a cube map),
// D3DERR_INVALIDCALL for an unknown filter type. A 2D texture from a cube map takes its first
// face. Cube textures are square: their edge follows the width arguments.
HRESULT PrepareTextureContents(std::span<const std::uint8_t> file, const TextureRequest& request,
                               D3DRESOURCETYPE type, TextureContents& contents);
