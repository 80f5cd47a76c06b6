// A volume texture of the device layer: a GL_TEXTURE_3D whose swizzle makes sampling return
// what Direct3D 9 returns for the format, with a CPU copy of each level for locking.
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <epoxy/gl.h>

#include <vector>

class VolumeTexture final : public IDirect3DVolumeTexture9 {
public:
    static bool SupportsFormat(D3DFORMAT format);
    // The texture with `levels` mip levels; its name is 0 when GL refused it.
    static VolumeTexture* Create(IDirect3DDevice9* device, const D3DVOLUME_DESC& desc, UINT levels);
    ~VolumeTexture() override;

    DWORD GetLevelCount() override { return static_cast<DWORD>(levelDescs.size()); }
    D3DRESOURCETYPE GetType() override { return D3DRTYPE_VOLUMETEXTURE; }
    HRESULT GetLevelDesc(UINT level, D3DVOLUME_DESC* desc) override;
    HRESULT LockBox(UINT level, D3DLOCKED_BOX* lockedVolume, const D3DBOX* box,
                    DWORD flags) override;
    HRESULT UnlockBox(UINT level) override;

    GLuint Texture() const { return texture; }

private:
    struct Level {
        std::vector<unsigned char> texels;
        bool locked = false;
        bool readOnly = false;
    };

    VolumeTexture(IDirect3DDevice9* owner, const D3DVOLUME_DESC& topDesc, UINT levels);

    bool Lockable() const;
    int RowPitch(UINT level) const;
    int SlicePitch(UINT level) const;

    IDirect3DDevice9* device; // not counted: a texture does not keep its device alive
    std::vector<D3DVOLUME_DESC> levelDescs;
    std::vector<Level> levels;
    GLuint texture = 0;
};
