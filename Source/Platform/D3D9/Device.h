// The device: one GL 3.3 core context on the device window, an off-screen back buffer, and one
// framebuffer object to which the bound render targets and depth-stencil surface are attached.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3D9/FixedFunctionProgram.h"
#include "Platform/D3D9/RenderStates.h"
#include "Platform/D3D9/SamplerStates.h"
#include "Platform/D3D9/Surface.h"
#include "Platform/D3D9/VertexBuffer.h"
#include "Platform/D3D9/VertexDeclaration.h"

#include <SDL.h>

#include <array>
#include <memory>

class Direct3D9;

class Device final : public IDirect3DDevice9 {
public:
    // Makes the context on the window; returns null with the failing result in `result`.
    static Device* Create(Direct3D9* direct3D, HWND window,
                          const D3DPRESENT_PARAMETERS& presentationParameters, HRESULT* result);
    ~Device() override;

    HRESULT TestCooperativeLevel() override;
    HRESULT Reset(D3DPRESENT_PARAMETERS* presentationParameters) override;
    HRESULT BeginScene() override;
    HRESULT EndScene() override;
    HRESULT Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                  DWORD stencil) override;
    HRESULT SetViewport(const D3DVIEWPORT9* viewport) override;
    HRESULT GetViewport(D3DVIEWPORT9* viewport) override;
    HRESULT Present(const RECT* sourceRect, const RECT* destRect, HWND destWindow,
                    const void* dirtyRegion) override;
    HRESULT GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE type,
                          IDirect3DSurface9** backBuffer) override;
    HRESULT GetRenderTarget(DWORD index, IDirect3DSurface9** renderTarget) override;
    HRESULT SetRenderTarget(DWORD index, IDirect3DSurface9* renderTarget) override;
    HRESULT CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                      D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality,
                                      BOOL discard, IDirect3DSurface9** surface,
                                      void* sharedHandle) override;
    HRESULT SetDepthStencilSurface(IDirect3DSurface9* depthStencil) override;
    HRESULT GetDepthStencilSurface(IDirect3DSurface9** depthStencil) override;
    HRESULT CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                        IDirect3DSurface9** surface, void* sharedHandle) override;
    HRESULT GetRenderTargetData(IDirect3DSurface9* renderTarget,
                                IDirect3DSurface9* destSurface) override;
    HRESULT CreateVolumeTexture(UINT width, UINT height, UINT depth, UINT levels, DWORD usage,
                                D3DFORMAT format, D3DPOOL pool,
                                IDirect3DVolumeTexture9** volumeTexture,
                                void* sharedHandle) override;
    HRESULT CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                          D3DPOOL pool, IDirect3DTexture9** texture, void* sharedHandle) override;
    HRESULT CreateCubeTexture(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DCubeTexture9** cubeTexture,
                              void* sharedHandle) override;
    HRESULT CreateRenderTarget(UINT width, UINT height, D3DFORMAT format,
                               D3DMULTISAMPLE_TYPE multiSample, DWORD multisampleQuality,
                               BOOL lockable, IDirect3DSurface9** surface,
                               void* sharedHandle) override;
    HRESULT StretchRect(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                        IDirect3DSurface9* destSurface, const RECT* destRect,
                        D3DTEXTUREFILTERTYPE filter) override;
    HRESULT CreateVertexBuffer(UINT length, DWORD usage, DWORD fvf, D3DPOOL pool,
                               IDirect3DVertexBuffer9** vertexBuffer, void* sharedHandle) override;
    HRESULT CreateIndexBuffer(UINT length, DWORD usage, D3DFORMAT format, D3DPOOL pool,
                              IDirect3DIndexBuffer9** indexBuffer, void* sharedHandle) override;
    HRESULT CreateVertexDeclaration(const D3DVERTEXELEMENT9* elements,
                                    IDirect3DVertexDeclaration9** declaration) override;
    HRESULT SetVertexDeclaration(IDirect3DVertexDeclaration9* declaration) override;
    HRESULT SetStreamSource(UINT streamNumber, IDirect3DVertexBuffer9* streamData,
                            UINT offsetInBytes, UINT stride) override;
    HRESULT SetIndices(IDirect3DIndexBuffer9* indexData) override;
    HRESULT DrawPrimitive(D3DPRIMITIVETYPE primitiveType, UINT startVertex,
                          UINT primitiveCount) override;
    HRESULT DrawIndexedPrimitive(D3DPRIMITIVETYPE primitiveType, INT baseVertexIndex,
                                 UINT minVertexIndex, UINT numVertices, UINT startIndex,
                                 UINT primitiveCount) override;
    HRESULT SetRenderState(D3DRENDERSTATETYPE state, DWORD value) override;
    HRESULT GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) override;
    HRESULT SetTexture(DWORD sampler, IDirect3DBaseTexture9* texture) override;
    HRESULT GetTexture(DWORD sampler, IDirect3DBaseTexture9** texture) override;
    HRESULT SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) override;
    HRESULT GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) override;
    HRESULT CreateQuery(D3DQUERYTYPE type, IDirect3DQuery9** query) override;

    // The linked GL program that draws use: the effect framework sets the program of the pass it
    // runs, and 0 puts back the device's own program, which stands in for the fixed-function
    // pipeline (positions as clip coordinates, vertex colour times texture stage 0).
    void UseProgram(GLuint program);
    GLuint CurrentProgram() const { return program; }

    // The device window may be destroyed (its close box) before the device and its objects are
    // released; the context is then made current on a hidden stand-in window for the release.
    // The stand-in exists from the start: SDL unloads GL, and with it every context, when its
    // last GL window goes.
    void MakeContextCurrent();

private:
    Device(Direct3D9* direct3D, HWND window, SDL_GLContext context);

    bool WindowAlive() const { return IsWindow(deviceWindow) != FALSE; }

    HRESULT ApplyPresentationParameters(const D3DPRESENT_PARAMETERS& presentationParameters);
    void BindRenderTarget(DWORD index, Surface* surface);
    void BindDepthStencil(Surface* surface);
    void UpdateDrawBuffers();
    // Binds the declaration's streams to the attributes; false when a draw cannot be made.
    bool PrepareDraw();
    // Releases the bound textures, streams, indices and declaration, and the effect program.
    void UnbindAll();

    static constexpr DWORD kMaxRenderTargets = 4;
    static constexpr UINT kMaxStreams = 16;
    static constexpr GLuint kAttributeCount = 16;

    struct Stream {
        VertexBuffer* buffer = nullptr; // counted
        UINT offset = 0;
        UINT stride = 0;
    };

    Direct3D9* direct3D;
    HWND deviceWindow;
    SDL_Window* window;
    SDL_Window* standInWindow;
    SDL_GLContext context;
    D3DPRESENT_PARAMETERS parameters{};
    GLuint drawFramebuffer = 0;
    GLuint presentFramebuffer = 0; // also the read side of StretchRect
    GLuint blitFramebuffer = 0;    // the draw side of StretchRect
    Surface* backBuffer = nullptr;
    std::array<Surface*, kMaxRenderTargets> renderTargets{};
    Surface* depthStencil = nullptr;
    D3DVIEWPORT9 viewport{};
    bool inScene = false;
    GLuint program = 0;
    std::unique_ptr<RenderStates> renderStates;
    std::unique_ptr<SamplerStates> samplerStates;
    std::array<IDirect3DBaseTexture9*, SamplerStates::kSamplerCount> textures{}; // counted
    std::unique_ptr<FixedFunctionProgram> fixedFunction;
    GLuint vertexArray = 0;
    VertexDeclaration* vertexDeclaration = nullptr; // counted
    std::array<Stream, kMaxStreams> streams{};
    IndexBuffer* indices = nullptr; // counted
};
