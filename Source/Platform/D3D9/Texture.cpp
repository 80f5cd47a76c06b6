#include "Platform/D3D9/Texture.h"

#include "Platform/D3D9/Device.h"
#include "Platform/D3D9/Surface.h"

Texture::Texture(IDirect3DDevice9* owner, const TextureFormat& format, UINT width, UINT height,
                 UINT levels, DWORD textureUsage, D3DPOOL texturePool)
    : device(owner), usage(textureUsage), pool(texturePool),
      storage(format, width, height, levels, 1,
              TextureStorage::Lockable(textureUsage, texturePool)) {}

Texture::~Texture() {
    static_cast<Device*>(device)->MakeContextCurrent();
}

HRESULT Texture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (desc == nullptr || level >= storage.LevelCount()) return D3DERR_INVALIDCALL;
    *desc = {storage.Format().format, D3DRTYPE_SURFACE,     usage, pool, D3DMULTISAMPLE_NONE, 0,
             storage.Width(level),    storage.Height(level)};
    return D3D_OK;
}

HRESULT Texture::GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) {
    D3DSURFACE_DESC desc;
    if (surface == nullptr || FAILED(GetLevelDesc(level, &desc))) return D3DERR_INVALIDCALL;
    *surface =
        Surface::CreateTextureLevel(device, this, storage.Name(), GL_TEXTURE_2D, level, desc);
    return D3D_OK;
}

HRESULT Texture::LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) {
    return storage.Lock(0, level, lockedRect, rect, flags);
}

HRESULT Texture::UnlockRect(UINT level) {
    static_cast<Device*>(device)->MakeContextCurrent();
    const HRESULT result = storage.Unlock(0, level);
    if (SUCCEEDED(result) && level == 0 && (usage & D3DUSAGE_AUTOGENMIPMAP))
        storage.GenerateMipmaps();
    return result;
}
