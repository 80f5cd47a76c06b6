#include "Platform/D3D9/TextureStorage.h"

#include "Platform/D3D9/ScratchTextureUnit.h"

#include <algorithm>

TextureStorage::TextureStorage(const TextureFormat& textureFormat, UINT topWidth, UINT topHeight,
                               UINT levels, int faces, bool canLock)
    : format(textureFormat), target(faces == 6 ? GL_TEXTURE_CUBE_MAP : GL_TEXTURE_2D),
      width(topWidth), height(topHeight), levelCount(levels), faceCount(faces), lockable(canLock) {
    if (lockable) {
        images.resize(static_cast<std::size_t>(faces) * levels);
        for (int face = 0; face < faces; ++face)
            for (UINT level = 0; level < levels; ++level)
                Find(face, level)
                    ->texels.resize(static_cast<std::size_t>(Pitch(level)) * Height(level));
    }
    glGenTextures(1, &texture);
    const ScratchTextureUnit unit(target, texture);
    glTexParameteri(target, GL_TEXTURE_MAX_LEVEL, static_cast<GLint>(levels) - 1);
    glTexParameteriv(target, GL_TEXTURE_SWIZZLE_RGBA, format.swizzle.data());
    // Sampling state comes from the device's sampler objects; these only make the texture
    // complete for the framebuffer and for tools that read it without a sampler.
    glTexParameteri(target, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(target, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    for (int face = 0; face < faces; ++face)
        for (UINT level = 0; level < levels; ++level)
            glTexImage2D(ImageTarget(face), static_cast<GLint>(level), format.internalFormat,
                         static_cast<GLsizei>(Width(level)), static_cast<GLsizei>(Height(level)), 0,
                         format.dataFormat, format.dataType, nullptr);
}

TextureStorage::~TextureStorage() {
    if (texture != 0) glDeleteTextures(1, &texture);
}

GLenum TextureStorage::ImageTarget(int face) const {
    return faceCount == 6 ? GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(face)
                          : GL_TEXTURE_2D;
}

UINT TextureStorage::Width(UINT level) const {
    return std::max(width >> level, 1u);
}
UINT TextureStorage::Height(UINT level) const {
    return std::max(height >> level, 1u);
}

int TextureStorage::Pitch(UINT level) const {
    return static_cast<int>(Width(level)) * format.bytesPerTexel;
}

TextureStorage::Image* TextureStorage::Find(int face, UINT level) {
    if (face < 0 || face >= faceCount || level >= levelCount || images.empty()) return nullptr;
    return &images[static_cast<std::size_t>(face) * levelCount + level];
}

HRESULT TextureStorage::Lock(int face, UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                             DWORD flags) {
    Image* image = Find(face, level);
    if (lockedRect == nullptr || image == nullptr || image->locked) return D3DERR_INVALIDCALL;
    const int pitch = Pitch(level);
    std::size_t offset = 0;
    if (rect != nullptr) {
        if (rect->left < 0 || rect->top < 0 || rect->right > static_cast<LONG>(Width(level)) ||
            rect->bottom > static_cast<LONG>(Height(level)) || rect->left >= rect->right ||
            rect->top >= rect->bottom)
            return D3DERR_INVALIDCALL;
        offset = static_cast<std::size_t>(rect->top) * pitch +
                 static_cast<std::size_t>(rect->left) * format.bytesPerTexel;
    }
    lockedRect->Pitch = pitch;
    lockedRect->pBits = image->texels.data() + offset;
    image->locked = true;
    image->readOnly = (flags & D3DLOCK_READONLY) != 0;
    return D3D_OK;
}

HRESULT TextureStorage::Unlock(int face, UINT level) {
    Image* image = Find(face, level);
    if (image == nullptr || !image->locked) return D3DERR_INVALIDCALL;
    image->locked = false;
    if (image->readOnly) return D3D_OK;
    const ScratchTextureUnit unit(target, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexSubImage2D(ImageTarget(face), static_cast<GLint>(level), 0, 0,
                    static_cast<GLsizei>(Width(level)), static_cast<GLsizei>(Height(level)),
                    format.dataFormat, format.dataType, image->texels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    return D3D_OK;
}

void TextureStorage::GenerateMipmaps() const {
    if (levelCount < 2) return;
    const ScratchTextureUnit unit(target, texture);
    glGenerateMipmap(target);
}
