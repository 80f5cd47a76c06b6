#include "Platform/D3D9/VolumeTexture.h"

#include "Platform/D3D9/Device.h"
#include "Platform/D3D9/ScratchTextureUnit.h"
#include "Platform/D3D9/TextureFormats.h"

#include <algorithm>
#include <array>

bool VolumeTexture::SupportsFormat(D3DFORMAT format) {
    return FindTextureFormat(format) != nullptr;
}

VolumeTexture* VolumeTexture::Create(IDirect3DDevice9* device, const D3DVOLUME_DESC& desc,
                                     UINT levelCount) {
    auto* volume = new VolumeTexture(device, desc, levelCount);
    const TextureFormat& format = *FindTextureFormat(desc.Format);
    glGenTextures(1, &volume->texture);
    const ScratchTextureUnit unit(GL_TEXTURE_3D, volume->texture);
    glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levelCount) - 1);
    glTexParameteriv(GL_TEXTURE_3D, GL_TEXTURE_SWIZZLE_RGBA, format.swizzle.data());
    for (UINT level = 0; level < levelCount; ++level) {
        const D3DVOLUME_DESC& levelDesc = volume->levelDescs[level];
        glTexImage3D(GL_TEXTURE_3D, static_cast<GLint>(level), format.internalFormat,
                     static_cast<GLsizei>(levelDesc.Width), static_cast<GLsizei>(levelDesc.Height),
                     static_cast<GLsizei>(levelDesc.Depth), 0, format.dataFormat, format.dataType,
                     nullptr);
    }
    return volume;
}

VolumeTexture::VolumeTexture(IDirect3DDevice9* owner, const D3DVOLUME_DESC& topDesc,
                             UINT levelCount)
    : device(owner), levels(levelCount) {
    D3DVOLUME_DESC desc = topDesc;
    for (UINT level = 0; level < levelCount; ++level) {
        levelDescs.push_back(desc);
        desc.Width = std::max(desc.Width / 2, 1u);
        desc.Height = std::max(desc.Height / 2, 1u);
        desc.Depth = std::max(desc.Depth / 2, 1u);
    }
}

VolumeTexture::~VolumeTexture() {
    if (texture == 0) return;
    static_cast<Device*>(device)->MakeContextCurrent();
    glDeleteTextures(1, &texture);
}

HRESULT VolumeTexture::GetLevelDesc(UINT level, D3DVOLUME_DESC* desc) {
    if (desc == nullptr || level >= levelDescs.size()) return D3DERR_INVALIDCALL;
    *desc = levelDescs[level];
    return D3D_OK;
}

bool VolumeTexture::Lockable() const {
    const D3DVOLUME_DESC& top = levelDescs.front();
    return top.Pool != D3DPOOL_DEFAULT || (top.Usage & D3DUSAGE_DYNAMIC);
}

int VolumeTexture::RowPitch(UINT level) const {
    return static_cast<int>(levelDescs[level].Width) *
           FindTextureFormat(levelDescs[level].Format)->bytesPerTexel;
}

int VolumeTexture::SlicePitch(UINT level) const {
    return RowPitch(level) * static_cast<int>(levelDescs[level].Height);
}

HRESULT VolumeTexture::LockBox(UINT level, D3DLOCKED_BOX* lockedVolume, const D3DBOX* box,
                               DWORD flags) {
    if (lockedVolume == nullptr || level >= levels.size() || levels[level].locked || !Lockable())
        return D3DERR_INVALIDCALL;
    const D3DVOLUME_DESC& desc = levelDescs[level];
    const D3DBOX whole{0, 0, desc.Width, desc.Height, 0, desc.Depth};
    const D3DBOX& region = box ? *box : whole;
    if (region.Left >= region.Right || region.Top >= region.Bottom || region.Front >= region.Back ||
        region.Right > desc.Width || region.Bottom > desc.Height || region.Back > desc.Depth)
        return D3DERR_INVALIDCALL;

    Level& locked = levels[level];
    const TextureFormat& format = *FindTextureFormat(desc.Format);
    locked.texels.resize(static_cast<size_t>(SlicePitch(level)) * desc.Depth);
    // A discarding lock promises to overwrite the box, so the old texels need not come back.
    if (!(flags & D3DLOCK_DISCARD)) {
        static_cast<Device*>(device)->MakeContextCurrent();
        const ScratchTextureUnit unit(GL_TEXTURE_3D, texture);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_3D, static_cast<GLint>(level), format.dataFormat, format.dataType,
                      locked.texels.data());
    }
    lockedVolume->RowPitch = RowPitch(level);
    lockedVolume->SlicePitch = SlicePitch(level);
    lockedVolume->pBits = locked.texels.data() +
                          static_cast<size_t>(region.Front) * SlicePitch(level) +
                          static_cast<size_t>(region.Top) * RowPitch(level) +
                          static_cast<size_t>(region.Left) * format.bytesPerTexel;
    locked.locked = true;
    locked.readOnly = flags & D3DLOCK_READONLY;
    return D3D_OK;
}

HRESULT VolumeTexture::UnlockBox(UINT level) {
    if (level >= levels.size() || !levels[level].locked) return D3DERR_INVALIDCALL;
    Level& locked = levels[level];
    locked.locked = false;
    if (!locked.readOnly) {
        const D3DVOLUME_DESC& desc = levelDescs[level];
        const TextureFormat& format = *FindTextureFormat(desc.Format);
        static_cast<Device*>(device)->MakeContextCurrent();
        const ScratchTextureUnit unit(GL_TEXTURE_3D, texture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage3D(GL_TEXTURE_3D, static_cast<GLint>(level), 0, 0, 0,
                        static_cast<GLsizei>(desc.Width), static_cast<GLsizei>(desc.Height),
                        static_cast<GLsizei>(desc.Depth), format.dataFormat, format.dataType,
                        locked.texels.data());
    }
    // The CPU copy lives only while locked.
    locked.texels = {};
    return D3D_OK;
}
