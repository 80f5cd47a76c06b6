#include "Platform/D3D9/TextureFormats.h"

#include <algorithm>

namespace {

constexpr std::array<GLint, 4> kRGBA{GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
constexpr std::array<GLint, 4> kRGB1{GL_RED, GL_GREEN, GL_BLUE, GL_ONE};
constexpr std::array<GLint, 4> kRG11{GL_RED, GL_GREEN, GL_ONE, GL_ONE};
constexpr std::array<GLint, 4> kR111{GL_RED, GL_ONE, GL_ONE, GL_ONE};

constexpr TextureFormat kFormats[] = {
    {D3DFMT_A8R8G8B8, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, 4, kRGBA},
    {D3DFMT_X8R8G8B8, GL_RGBA8, GL_BGRA, GL_UNSIGNED_BYTE, 4, kRGB1},
    {D3DFMT_L8, GL_R8, GL_RED, GL_UNSIGNED_BYTE, 1, {GL_RED, GL_RED, GL_RED, GL_ONE}},
    {D3DFMT_A8, GL_R8, GL_RED, GL_UNSIGNED_BYTE, 1, {GL_ZERO, GL_ZERO, GL_ZERO, GL_RED}},
    {D3DFMT_G16R16, GL_RG16, GL_RG, GL_UNSIGNED_SHORT, 4, kRG11},
    {D3DFMT_A16B16G16R16, GL_RGBA16, GL_RGBA, GL_UNSIGNED_SHORT, 8, kRGBA},
    {D3DFMT_R16F, GL_R16F, GL_RED, GL_HALF_FLOAT, 2, kR111},
    {D3DFMT_G16R16F, GL_RG16F, GL_RG, GL_HALF_FLOAT, 4, kRG11},
    {D3DFMT_A16B16G16R16F, GL_RGBA16F, GL_RGBA, GL_HALF_FLOAT, 8, kRGBA},
    {D3DFMT_R32F, GL_R32F, GL_RED, GL_FLOAT, 4, kR111},
    {D3DFMT_G32R32F, GL_RG32F, GL_RG, GL_FLOAT, 8, kRG11},
    {D3DFMT_A32B32G32R32F, GL_RGBA32F, GL_RGBA, GL_FLOAT, 16, kRGBA},
};

} // namespace

const TextureFormat* FindTextureFormat(D3DFORMAT format) {
    for (const TextureFormat& entry : kFormats)
        if (entry.format == format) return &entry;
    return nullptr;
}

UINT MipChainLength(UINT width, UINT height, UINT depth) {
    UINT length = 1;
    for (UINT extent = std::max({width, height, depth}); extent > 1; extent /= 2)
        ++length;
    return length;
}
