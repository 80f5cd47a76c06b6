// A Direct3D-9-shaped device over OpenGL 3.3 core.
//
// The objects are reference-counted and released explicitly, and every call returns the
// published Direct3D result code. Conventions that make Direct3D content right on OpenGL:
// - The back buffer is an off-screen colour buffer of the presentation size; Present blits it
//   to the window. Every render target therefore has its row 0 at the top of the picture, as
//   in Direct3D, and viewport origins are taken as they are (x from the left, y from the top).
// - A D3DCOLOR is 0xAARRGGBB.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <string>

// Base of every device object: an explicit reference count, as COM objects have.
class Unknown {
public:
    virtual ~Unknown() = default;
    unsigned long AddRef() { return ++referenceCount; }
    unsigned long Release();

protected:
    Unknown() = default;

private:
    unsigned long referenceCount = 1;
};

class IDirect3DDevice9;

class IDirect3DSurface9 : public Unknown {
public:
    // The device that made the surface, with a reference added.
    virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
    virtual HRESULT GetDesc(D3DSURFACE_DESC* desc) = 0;
    // System-memory surfaces only: the CPU copy of the pixels, 4 bytes (B, G, R, A) a pixel.
    virtual HRESULT LockRect(D3DLOCKED_RECT* lockedRect, const RECT* rect, DWORD flags) = 0;
    virtual HRESULT UnlockRect() = 0;
};

// Base of the three texture kinds, which SetTexture binds to a sampler.
class IDirect3DBaseTexture9 : public Unknown {
public:
    virtual DWORD GetLevelCount() = 0;
    virtual D3DRESOURCETYPE GetType() = 0;
};

// Lock pitches: rows are tightly packed in the texel size of the format; 32-bit colour formats
// hold B, G, R, A bytes, G16R16 and the float formats hold R first.
class IDirect3DTexture9 : public IDirect3DBaseTexture9 {
public:
    virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
    // The surface of one mip level, with a reference added; render-target textures bind it.
    virtual HRESULT GetSurfaceLevel(UINT level, IDirect3DSurface9** surface) = 0;
    // Lockable when dynamic or outside the default pool.
    virtual HRESULT LockRect(UINT level, D3DLOCKED_RECT* lockedRect, const RECT* rect,
                             DWORD flags) = 0;
    virtual HRESULT UnlockRect(UINT level) = 0;
};

class IDirect3DCubeTexture9 : public IDirect3DBaseTexture9 {
public:
    virtual HRESULT GetLevelDesc(UINT level, D3DSURFACE_DESC* desc) = 0;
    virtual HRESULT GetCubeMapSurface(D3DCUBEMAP_FACES face, UINT level,
                                      IDirect3DSurface9** surface) = 0;
    virtual HRESULT LockRect(D3DCUBEMAP_FACES face, UINT level, D3DLOCKED_RECT* lockedRect,
                             const RECT* rect, DWORD flags) = 0;
    virtual HRESULT UnlockRect(D3DCUBEMAP_FACES face, UINT level) = 0;
};

class IDirect3DVolumeTexture9 : public IDirect3DBaseTexture9 {
public:
    virtual HRESULT GetLevelDesc(UINT level, D3DVOLUME_DESC* desc) = 0;
    // Lockable when dynamic or outside the default pool. Rows and slices are tightly packed in
    // the texel size of the format (B, G, R, A for the 32-bit formats).
    virtual HRESULT LockBox(UINT level, D3DLOCKED_BOX* lockedVolume, const D3DBOX* box,
                            DWORD flags) = 0;
    virtual HRESULT UnlockBox(UINT level) = 0;
};

class IDirect3DVertexBuffer9 : public Unknown {
public:
    // Size 0 locks from the offset to the end. A discarding lock hands back undefined contents.
    virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) = 0;
};

class IDirect3DIndexBuffer9 : public Unknown {
public:
    virtual HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) = 0;
    virtual HRESULT Unlock() = 0;
    virtual HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) = 0;
};

class IDirect3DVertexDeclaration9 : public Unknown {
public:
    // The elements with the end marker; `count` includes it.
    virtual HRESULT GetDeclaration(D3DVERTEXELEMENT9* elements, UINT* count) = 0;
};

class IDirect3DQuery9 : public Unknown {
public:
    virtual D3DQUERYTYPE GetType() = 0;
    virtual DWORD GetDataSize() = 0;
    virtual HRESULT Issue(DWORD issueFlags) = 0;
    // S_OK with the data once the result is in, S_FALSE while the GPU still works on it.
    virtual HRESULT GetData(void* data, DWORD size, DWORD getDataFlags) = 0;
};

class IDirect3DDevice9 : public Unknown {
public:
    virtual HRESULT TestCooperativeLevel() = 0;
    virtual HRESULT Reset(D3DPRESENT_PARAMETERS* presentationParameters) = 0;
    virtual HRESULT BeginScene() = 0;
    virtual HRESULT EndScene() = 0;
    virtual HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                          DWORD stencil) = 0;
    virtual HRESULT SetViewport(const D3DVIEWPORT9* viewport) = 0;
    virtual HRESULT GetViewport(D3DVIEWPORT9* viewport) = 0;
    virtual HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow,
                            const void* dirtyRegion) = 0;
    virtual HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type,
                                  IDirect3DSurface9** backBuffer) = 0;
    virtual HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** renderTarget) = 0;
    virtual HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* renderTarget) = 0;
    virtual HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                              D3DMULTISAMPLE_TYPE multiSample,
                                              DWORD multisampleQuality, BOOL discard,
                                              IDirect3DSurface9** surface, void* sharedHandle) = 0;
    virtual HRESULT SetDepthStencilSurface(IDirect3DSurface9* depthStencil) = 0;
    virtual HRESULT GetDepthStencilSurface(IDirect3DSurface9** depthStencil) = 0;
    virtual HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format,
                                                D3DPOOL pool, IDirect3DSurface9** surface,
                                                void* sharedHandle) = 0;
    // Copies a render target into a system-memory surface of the same size.
    virtual HRESULT GetRenderTargetData(IDirect3DSurface9* renderTarget,
                                        IDirect3DSurface9* destSurface) = 0;
    // Formats L8, A8, A8R8G8B8, X8R8G8B8; levels 0 makes the whole mip chain.
    virtual HRESULT CreateVolumeTexture(UINT width, UINT height, UINT depth, UINT levels,
                                        DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DVolumeTexture9** volumeTexture,
                                        void* sharedHandle) = 0;
    // Formats A8R8G8B8, X8R8G8B8, L8, A8, G16R16, A16B16G16R16, R32F, G32R32F, A32B32G32R32F;
    // levels 0 makes the whole mip chain; render-target textures have one level.
    virtual HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                  D3DFORMAT format, D3DPOOL pool, IDirect3DTexture9** texture,
                                  void* sharedHandle) = 0;
    virtual HRESULT CreateCubeTexture(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format,
                                      D3DPOOL pool, IDirect3DCubeTexture9** cubeTexture,
                                      void* sharedHandle) = 0;
    virtual HRESULT CreateRenderTarget(UINT width, UINT height, D3DFORMAT format,
                                       D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality,
                                       BOOL lockable, IDirect3DSurface9** surface,
                                       void* sharedHandle) = 0;
    // Copies a rectangle of one render target (the back buffer included) into another,
    // stretching with D3DTEXF_POINT or D3DTEXF_LINEAR; null rectangles mean whole surfaces.
    virtual HRESULT StretchRect(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                                IDirect3DSurface9* destSurface, const RECT* destRect,
                                D3DTEXTUREFILTERTYPE filter) = 0;

    virtual HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                                       IDirect3DVertexBuffer9** vertexBuffer,
                                       void* sharedHandle) = 0;
    virtual HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                                      IDirect3DIndexBuffer9** indexBuffer, void* sharedHandle) = 0;
    virtual HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                            IDirect3DVertexDeclaration9** declaration) = 0;
    virtual HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) = 0;
    virtual HRESULT SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* streamData,
                                    UINT offsetInBytes, UINT stride) = 0;
    virtual HRESULT SetIndices(IDirect3DIndexBuffer9* indexData) = 0;
    virtual HRESULT DrawPrimitive(D3DPRIMITIVETYPE primitiveType, UINT startVertex,
                                  UINT primitiveCount) = 0;
    virtual HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE primitiveType, INT baseVertexIndex,
                                         UINT minVertexIndex, UINT numVertices, UINT startIndex,
                                         UINT primitiveCount) = 0;

    virtual HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) = 0;
    virtual HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) = 0;
    // Samplers 0 to 15. Texture stage 0 is also what a draw without an effect program samples.
    virtual HRESULT SetTexture(DWORD sampler, IDirect3DBaseTexture9* texture) = 0;
    virtual HRESULT GetTexture(DWORD sampler, IDirect3DBaseTexture9** texture) = 0;
    virtual HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) = 0;
    virtual HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) = 0;

    virtual HRESULT CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) = 0;
};

class IDirect3D9 : public Unknown {
public:
    virtual UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) = 0;
    virtual HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                     D3DDISPLAYMODE* displayMode) = 0;
    virtual HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) = 0;
    virtual HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                                      DWORD usage, D3DRESOURCETYPE resourceType,
                                      D3DFORMAT checkFormat) = 0;
    virtual HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) = 0;
    virtual HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow,
                                 DWORD behaviorFlags, D3DPRESENT_PARAMETERS* presentationParameters,
                                 IDirect3DDevice9** device) = 0;
};

// Returns the Direct3D object, or null when the SDK version is not D3D_SDK_VERSION or no
// OpenGL 3.3 core context can be made.
IDirect3D9* Direct3DCreate9(UINT sdkVersion);
