// A 2D texture of the device layer: a GL_TEXTURE_2D in one of the formats of TextureFormats.h.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3D9/TextureStorage.h"

class Texture final : public IDirect3DTexture9 {
public:
    Texture(IDirect3DDevice9* device, const TextureFormat& format, UINT width, UINT height,
            UINT levels, DWORD usage, D3DPOOL pool);
    ~Texture() override;

    DWORD GetLevelCount() override { return storage.LevelCount(); }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_TEXTURE; }
    HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) override;
    HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) override;
    HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                     DWORD flags) override;
    HRESULT UnlockRect(UINT level) override;

    const TextureStorage& Storage() const { return storage; }

private:
    IDirect3DDevice9* device; // not counted: a texture does not keep its device alive
    DWORD usage;
    D3DPOOL pool;
    TextureStorage storage;
};
