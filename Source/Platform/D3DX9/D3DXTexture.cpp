#include "Platform/D3DX9/D3DXTexture.h"

#include "Platform/D3DX9/TexelWriter.h"
#include "Platform/D3DX9/TextureContents.h"

namespace {

std::span<const std::uint8_t> FileBytes(const void* data, UINT size) {
    return {static_cast<const std::uint8_t*>(data), size};
}

// Writes every level through the texture's own lock; `lock(level, locked)` and
// `unlock(level)` address one face.
template <typename Lock, typename Unlock>
HRESULT WriteLevels(const std::vector<TextureImage>& levels, D3DFORMAT format, Lock lock,
                    Unlock unlock) {
    for (UINT level = 0; level < levels.size(); ++level) {
        D3DLOCKED_RECT locked{};
        HRESULT result = lock(level, &locked);
        if (FAILED(result)) return result;
        WriteTexels(levels[level], format, locked);
        result = unlock(level);
        if (FAILED(result)) return result;
    }
    return D3D_OK;
}

HRESULT WriteTexture(IDirect3DTexture9* texture, const TextureContents& contents) {
    return WriteLevels(
        contents.faces.front(), contents.layout.format,
        [&](UINT level, D3DLOCKED_RECT* locked) {
            return texture->LockRect(level, locked, nullptr, 0);
        },
        [&](UINT level) { return texture->UnlockRect(level); });
}

HRESULT WriteCubeTexture(IDirect3DCubeTexture9* texture, const TextureContents& contents) {
    for (UINT face = 0; face < contents.faces.size(); ++face) {
        const auto cubeFace = static_cast<D3DCUBEMAP_FACES>(face);
        const HRESULT result = WriteLevels(
            contents.faces[face], contents.layout.format,
            [&](UINT level, D3DLOCKED_RECT* locked) {
                return texture->LockRect(cubeFace, level, locked, nullptr, 0);
            },
            [&](UINT level) { return texture->UnlockRect(cubeFace, level); });
        if (FAILED(result)) return result;
    }
    return D3D_OK;
}

} // namespace

HRESULT D3DXCreateTextureFromFileInMemoryEx(IDirect3DDevice9* device, const void* srcData,
                                            UINT srcDataSize, UINT width, UINT height,
                                            UINT mipLevels, DWORD usage, D3DFORMAT format,
                                            D3DPOOL pool, DWORD filter, DWORD mipFilter,
                                            D3DCOLOR colorKey, D3DXIMAGE_INFO* srcInfo,
                                            PALETTEENTRY*, IDirect3DTexture9** texture) {
    if (device == nullptr || srcData == nullptr || texture == nullptr) return D3DERR_INVALIDCALL;
    *texture = nullptr;
    TextureContents contents;
    HRESULT result =
        PrepareTextureContents(FileBytes(srcData, srcDataSize),
                               {width, height, mipLevels, format, filter, mipFilter, colorKey},
                               D3DRTYPE_TEXTURE, contents);
    if (FAILED(result)) return result;

    const TextureLayout& layout = contents.layout;
    IDirect3DTexture9* created = nullptr;
    result = device->CreateTexture(layout.width, layout.height, layout.levels, usage, layout.format,
                                   pool, &created, nullptr);
    if (FAILED(result)) return result;
    result = WriteTexture(created, contents);
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    if (srcInfo) *srcInfo = contents.file;
    *texture = created;
    return D3D_OK;
}

HRESULT D3DXCreateTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcData,
                                          UINT srcDataSize, IDirect3DTexture9** texture) {
    return D3DXCreateTextureFromFileInMemoryEx(
        device, srcData, srcDataSize, D3DX_DEFAULT, D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_UNKNOWN,
        D3DPOOL_MANAGED, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, texture);
}

HRESULT D3DXCreateCubeTextureFromFileInMemory(IDirect3DDevice9* device, const void* srcData,
                                              UINT srcDataSize,
                                              IDirect3DCubeTexture9** cubeTexture) {
    if (device == nullptr || srcData == nullptr || cubeTexture == nullptr)
        return D3DERR_INVALIDCALL;
    *cubeTexture = nullptr;
    TextureContents contents;
    HRESULT result =
        PrepareTextureContents(FileBytes(srcData, srcDataSize), {}, D3DRTYPE_CUBETEXTURE, contents);
    if (FAILED(result)) return result;

    const TextureLayout& layout = contents.layout;
    IDirect3DCubeTexture9* created = nullptr;
    result = device->CreateCubeTexture(layout.width, layout.levels, 0, layout.format,
                                       D3DPOOL_MANAGED, &created, nullptr);
    if (FAILED(result)) return result;
    result = WriteCubeTexture(created, contents);
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *cubeTexture = created;
    return D3D_OK;
}
