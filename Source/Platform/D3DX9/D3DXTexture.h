// Textures from image files in memory, as D3DX 9 makes them: PNG, JPEG, TGA and BMP through
// stb_image, and uncompressed DDS files (2D and cube maps).
#pragma once

#include "Platform/D3D9/D3D9.h"

// Size and mip arguments.
constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;         // the file's size rounded up to powers of two
constexpr UINT D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFEu; // the file's size as it is
constexpr D3DFORMAT D3DFMT_FROM_FILE = static_cast<D3DFORMAT>(0xFFFFFFFDu);

// Filters: the low byte is the filter type, the high bits are modifiers.
constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;
constexpr DWORD D3DX_FILTER_DITHER = 0x00080000;
constexpr DWORD D3DX_FILTER_DITHER_DIFFUSION = 0x00100000;

enum D3DXIMAGE_FILEFORMAT : std::uint32_t {
    D3DXIFF_BMP = 0,
    D3DXIFF_JPG = 1,
    D3DXIFF_TGA = 2,
    D3DXIFF_PNG = 3,
    D3DXIFF_DDS = 4,
};

struct D3DXIMAGE_INFO {
    UINT Width;
    UINT Height;
    UINT Depth;
    UINT MipLevels;
    D3DFORMAT Format;
    D3DRESOURCETYPE ResourceType;
    D3DXIMAGE_FILEFORMAT ImageFileFormat;
};

struct PALETTEENTRY {
    BYTE peRed, peGreen, peBlue, peFlags;
};

// Everything but a decodable image gives D3DXERR_INVALIDDATA and no texture.
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* srcData,
                                            UINT srcDataSize, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                            D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                            PALETTEENTRY* palette, IDirect3DTexture9** texture);
// The Ex call with D3DX's defaults: power-of-two size, full mip chain, the file's format, managed
// pool, triangle filters with dithering.
HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcData,
                                          UINT srcDataSize, IDirect3DTexture9** texture);
// Uncompressed DDS cube maps (all six faces).
HRESULT D3DXCreateCubeTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcData,
                                              UINT srcDataSize,
                                              IDirect3DCubeTexture9** cubeTexture);
