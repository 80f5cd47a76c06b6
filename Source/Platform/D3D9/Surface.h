// A surface of the device layer: a GL renderbuffer (colour or depth), one level (and face) of a
// texture, or CPU memory.
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <epoxy/gl.h>

#include <vector>

class Surface final : public IDirect3DSurface9 {
public:
    // A GL renderbuffer of this internal format; its name is 0 when GL refused it.
    static Surface* CreateRenderbuffer(IDirect3DDevice9* device, UINT width, UINT height,
                                       D3DFORMAT format, DWORD usage, GLenum internalFormat);
    static Surface* CreateSystemMemory(IDirect3DDevice9* device, UINT width, UINT height,
                                       D3DFORMAT format);
    // A level of a texture, keeping its texture alive while the surface lives. `imageTarget` is
    // GL_TEXTURE_2D or a cube face.
    static Surface* CreateTextureLevel(IDirect3DDevice9* device, Unknown* container, GLuint texture,
                                       GLenum imageTarget, UINT level, const D3DSURFACE_DESC& desc);
    ~Surface() override;

    HRESULT GetDevice(IDirect3DDevice9** device) override;
    HRESULT GetDesc(D3DSURFACE_DESC* desc) override;
    HRESULT LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) override;
    HRESULT UnlockRect() override;

    // Attaches this surface to the framebuffer bound at `framebufferTarget` (GL_DRAW_FRAMEBUFFER
    // or GL_READ_FRAMEBUFFER); null detaches whatever is at the attachment point.
    static void Attach(const Surface* surface, GLenum framebufferTarget, GLenum attachment);
    bool IsDepthStencil() const { return desc.Usage & D3DUSAGE_DEPTHSTENCIL; }
    bool IsRenderTarget() const { return desc.Usage & D3DUSAGE_RENDERTARGET; }
    bool InSystemMemory() const { return desc.Pool == D3DPOOL_SYSTEMMEM; }
    const D3DSURFACE_DESC& Desc() const { return desc; }
    std::vector<unsigned char>& Pixels() { return pixels; }

private:
    Surface(IDirect3DDevice9* owner, const D3DSURFACE_DESC& surfaceDesc)
        : device(owner), desc(surfaceDesc) {}

    IDirect3DDevice9* device; // not counted: a surface does not keep its device alive
    D3DSURFACE_DESC desc;
    GLuint renderbuffer = 0;
    Unknown* container = nullptr; // counted
    GLuint texture = 0;           // of the container
    GLenum imageTarget = 0;
    GLint level = 0;
    std::vector<unsigned char> pixels; // system memory: B, G, R, A per pixel, row 0 at the top
    bool locked = false;
};
