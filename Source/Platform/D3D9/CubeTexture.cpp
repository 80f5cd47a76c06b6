#include "Platform/D3D9/CubeTexture.h"

#include "Platform/D3D9/Device.h"
#include "Platform/D3D9/Surface.h"

CubeTexture::CubeTexture(IDirect3DDevice9* owner, const TextureFormat& format, UINT edgeLength,
                         UINT levels, DWORD textureUsage, D3DPOOL texturePool)
    : device(owner), usage(textureUsage), pool(texturePool),
      storage(format, edgeLength, edgeLength, levels, 6,
              TextureStorage::Lockable(textureUsage, texturePool)) {}

CubeTexture::~CubeTexture() {
    static_cast<Device*>(device)->MakeContextCurrent();
}

HRESULT CubeTexture::GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) {
    if (desc == nullptr || level >= storage.LevelCount()) return D3DERR_INVALIDCALL;
    *desc = {storage.Format().format, D3DRTYPE_SURFACE,     usage, pool, D3DMULTISAMPLE_NONE, 0,
             storage.Width(level),    storage.Height(level)};
    return D3D_OK;
}

HRESULT CubeTexture::GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level,
                                       IDirect3DSurface9** surface) {
    D3DSURFACE_DESC desc;
    if (surface == nullptr || face > D3DCUBEMAP_FACE_NEGATIVE_Z ||
        FAILED(GetLevelDesc(level, &desc)))
        return D3DERR_INVALIDCALL;
    *surface = Surface::CreateTextureLevel(
        device, this, storage.Name(), storage.ImageTarget(static_cast<int>(face)), level, desc);
    return D3D_OK;
}

HRESULT CubeTexture::LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* lockedRect,
                              const RECT* rect, DWORD flags) {
    return storage.Lock(static_cast<int>(face), level, lockedRect, rect, flags);
}

HRESULT CubeTexture::UnlockRect(D3DCUBEMAP_FACES face, UINT level) {
    static_cast<Device*>(device)->MakeContextCurrent();
    return storage.Unlock(static_cast<int>(face), level);
}
