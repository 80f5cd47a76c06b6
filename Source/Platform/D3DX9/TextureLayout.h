// The size, mip count and format of the texture D3DX makes for an image file and the caller's
// arguments: sizes of 0 or D3DX_DEFAULT are the file's rounded up to powers of two,
// D3DX_DEFAULT_NONPOW2 the file's as they are, other sizes as asked; no side exceeds
// maxDimension. Mip counts of 0 or D3DX_DEFAULT give the whole chain, D3DX_FROM_FILE the
// file's count, others at most the whole chain. D3DFMT_FROM_FILE and D3DFMT_UNKNOWN take the
// file's format; a format the device does not make becomes the nearest one it does.
#pragma once

#include "Platform/D3DX9/D3DXTexture.h"

struct TextureLayout {
    UINT width;
    UINT height;
    UINT levels;
    D3DFORMAT format;
};

TextureLayout ChooseTextureLayout(const D3DXIMAGE_INFO& file, UINT width, UINT height,
                                  UINT mipLevels, D3DFORMAT format, UINT maxDimension);
// The format a texture gets when `wanted` is asked for.
D3DFORMAT NearestTextureFormat(D3DFORMAT wanted);
