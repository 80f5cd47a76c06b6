// How each Direct3D texture format lives in GL: internal format, upload layout and the swizzle
// that makes sampling return what Direct3D 9 returns (X8 reads alpha 1, R32F reads (r, 1, 1, 1),
// L8 reads (l, l, l, 1)). Locked texels keep Direct3D's byte order: B, G, R, A for the 32-bit
// colour formats, R first for G16R16, the 16-bit and the float formats.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <epoxy/gl.h>

#include <array>

struct TextureFormat {
    D3DFORMAT format;
    GLint internalFormat;
    GLenum dataFormat;
    GLenum dataType;
    int bytesPerTexel;
    std::array<GLint, 4> swizzle; // sources of r, g, b, a
};

// Null for a format the device does not make textures of.
const TextureFormat* FindTextureFormat(D3DFORMAT format);

// The number of levels of a full mip chain down to 1 x 1.
UINT MipChainLength(UINT width, UINT height, UINT depth = 1);
