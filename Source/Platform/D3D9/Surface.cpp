#include "Platform/D3D9/Surface.h"

#include "Platform/D3D9/Device.h"

Surface* Surface::CreateRenderbuffer(IDirect3DDevice9* device, UINT width, UINT height,
                                     D3DFORMAT format, DWORD usage, GLenum internalFormat) {
    auto* surface =
        new Surface(device, D3DSURFACE_DESC{format, D3DRTYPE_SURFACE, usage, D3DPOOL_DEFAULT,
                                            D3DMULTISAMPLE_NONE, 0, width, height});
    glGenRenderbuffers(1, &surface->renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, surface->renderbuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, internalFormat, static_cast<GLsizei>(width),
                          static_cast<GLsizei>(height));
    glBindRenderbuffer(GL_RENDERBUFFER, 0);
    return surface;
}

Surface* Surface::CreateSystemMemory(IDirect3DDevice9* device, UINT width, UINT height,
                                     D3DFORMAT format) {
    auto* surface =
        new Surface(device, D3DSURFACE_DESC{format, D3DRTYPE_SURFACE, 0, D3DPOOL_SYSTEMMEM,
                                            D3DMULTISAMPLE_NONE, 0, width, height});
    surface->pixels.resize(static_cast<size_t>(width) * height * 4);
    return surface;
}

Surface* Surface::CreateTextureLevel(IDirect3DDevice9* device, Unknown* container, GLuint texture,
                                     GLenum imageTarget, UINT level, const D3DSURFACE_DESC& desc) {
    auto* surface = new Surface(device, desc);
    container->AddRef();
    surface->container = container;
    surface->texture = texture;
    surface->imageTarget = imageTarget;
    surface->level = static_cast<GLint>(level);
    return surface;
}

Surface::~Surface() {
    if (container != nullptr) container->Release();
    if (renderbuffer == 0) return;
    static_cast<Device*>(device)->MakeContextCurrent();
    glDeleteRenderbuffers(1, &renderbuffer);
}

HRESULT Surface::GetDevice(IDirect3DDevice9** owner) {
    if (owner == nullptr) return D3DERR_INVALIDCALL;
    device->AddRef();
    *owner = device;
    return D3D_OK;
}

HRESULT Surface::GetDesc(D3DSURFACE_DESC* surfaceDesc) {
    if (surfaceDesc == nullptr) return D3DERR_INVALIDCALL;
    *surfaceDesc = desc;
    return D3D_OK;
}

HRESULT Surface::LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD) {
    if (lockedRect == nullptr || !InSystemMemory() || locked) return D3DERR_INVALIDCALL;
    const int pitch = static_cast<int>(desc.Width) * 4;
    size_t offset = 0;
    if (rect != nullptr) {
        if (rect->left < 0 || rect->top < 0 || rect->right > static_cast<LONG>(desc.Width) ||
            rect->bottom > static_cast<LONG>(desc.Height) || rect->left >= rect->right ||
            rect->top >= rect->bottom)
            return D3DERR_INVALIDCALL;
        offset = static_cast<size_t>(rect->top) * pitch + static_cast<size_t>(rect->left) * 4;
    }
    lockedRect->Pitch = pitch;
    lockedRect->pBits = pixels.data() + offset;
    locked = true;
    return D3D_OK;
}

HRESULT Surface::UnlockRect() {
    if (!locked) return D3DERR_INVALIDCALL;
    locked = false;
    return D3D_OK;
}

void Surface::Attach(const Surface* surface, GLenum framebufferTarget, GLenum attachment) {
    if (surface != nullptr && surface->texture != 0) {
        glFramebufferTexture2D(framebufferTarget, attachment, surface->imageTarget,
                               surface->texture, surface->level);
        return;
    }
    glFramebufferRenderbuffer(framebufferTarget, attachment, GL_RENDERBUFFER,
                              surface != nullptr ? surface->renderbuffer : 0);
}
