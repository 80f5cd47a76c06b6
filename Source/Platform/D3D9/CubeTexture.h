// A cube texture of the device layer: six square faces in Direct3D's face order over a
// GL_TEXTURE_CUBE_MAP, whose face order and image orientation are Direct3D's.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3D9/TextureStorage.h"

class CubeTexture final : public IDirect3DCubeTexture9 {
public:
    CubeTexture(IDirect3DDevice9* device, const TextureFormat& format, UINT edgeLength, UINT levels,
                DWORD usage, D3DPOOL pool);
    ~CubeTexture() override;

    DWORD GetLevelCount() override { return storage.LevelCount(); }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_CUBETEXTURE; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level,
                              IDirect3DSurface9** surface) override;
    HRESULT LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* lockedRect,
                     const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect(D3DCUBEMAP_FACES face, UINT level) override;

    const TextureStorage& Storage() const { return storage; }

private:
    IDirect3DDevice9* device; // not counted
    DWORD usage;
    D3DPOOL pool;
    TextureStorage storage;
};
