// Textures from image files in memory, as D3DX 9 makes them: PNG, JPEG, TGA and BMP through
// stb_image, and uncompressed DDS files (2D and cube maps).
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXImageFileFormat.h"

// Size and mip arguments.
constexpr UINT D3DX_DEFAULT = 0xFFFFFFFFu;         // the file's size rounded up to powers of two
constexpr UINT D3DX_DEFAULT_NONPOW2 = 0xFFFFFFFEu; // the file's size as it is
constexpr UINT D3DX_FROM_FILE = 0xFFFFFFFDu;       // the file's mip count
constexpr D3DFORMAT D3DFMT_FROM_FILE = static_cast<D3DFORMAT>(0xFFFFFFFDu);

// Filters: the low byte is the filter type, the high bits are modifiers. D3DX_DEFAULT as an image
// filter is TRIANGLE | DITHER, as a mip filter BOX; a filter without type bits is the default.
// Resampling wraps at the edges unless mirrored.
constexpr DWORD D3DX_FILTER_NONE = 1;
constexpr DWORD D3DX_FILTER_POINT = 2;
constexpr DWORD D3DX_FILTER_LINEAR = 3;
constexpr DWORD D3DX_FILTER_TRIANGLE = 4;
constexpr DWORD D3DX_FILTER_BOX = 5;
constexpr DWORD D3DX_FILTER_MIRROR_U = 0x00010000;
constexpr DWORD D3DX_FILTER_MIRROR_V = 0x00020000;
constexpr DWORD D3DX_FILTER_MIRROR = 0x00070000;
constexpr DWORD D3DX_FILTER_DITHER = 0x00080000;
constexpr DWORD D3DX_FILTER_DITHER_DIFFUSION = 0x00100000;

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

// Everything but a decodable image gives D3DXERR_INVALIDDATA and no texture; a null device,
// data or out pointer and an unknown filter type give D3DERR_INVALIDCALL. The texture is made
// with the device's CreateTexture and filled through LockRect, so what those refuse (a pool or
// usage that cannot be locked, for one) fails the call with their result. A cube map file gives
// its first face. The palette is never written: no palettised format is made.
HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* srcData,
                                            UINT srcDataSize, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                            D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                            PALETTEENTRY* palette, IDirect3DTexture9** texture);
// The Ex call with D3DX's defaults: power-of-two size, full mip chain, the file's format, managed
// pool, triangle image filter with dithering, box mip filter.
HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcData,
                                          UINT srcDataSize, IDirect3DTexture9** texture);
// Uncompressed DDS cube maps (all six faces), with the same defaults; any other file gives
// D3DXERR_INVALIDDATA.
HRESULT D3DXCreateCubeTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcData,
                                              UINT srcDataSize,
                                              IDirect3DCubeTexture9** cubeTexture);
