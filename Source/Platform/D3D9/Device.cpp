#include "Platform/D3D9/Device.h"

#include "Platform/D3D9/D3D9TestSeam.h"
#include "Platform/D3D9/Direct3D9.h"
#include "Platform/D3D9/GLResult.h"
#include "Platform/D3D9/VolumeTexture.h"

#include <algorithm>

namespace {

bool IsBackBufferFormat(D3DFORMAT format) {
    return format == D3DFMT_X8R8G8B8 || format == D3DFMT_A8R8G8B8 || format == D3DFMT_UNKNOWN;
}

// Puts back the GL state a clear changes.
class ClearStateGuard {
public:
    ClearStateGuard() {
        scissorEnabled = glIsEnabled(GL_SCISSOR_TEST);
        glGetIntegerv(GL_SCISSOR_BOX, scissorBox);
        glGetBooleanv(GL_COLOR_WRITEMASK, colourMask);
        glGetBooleanv(GL_DEPTH_WRITEMASK, &depthMask);
        glGetIntegerv(GL_STENCIL_WRITEMASK, &stencilMask);
    }
    ~ClearStateGuard() {
        if (!scissorEnabled) glDisable(GL_SCISSOR_TEST);
        glScissor(scissorBox[0], scissorBox[1], scissorBox[2], scissorBox[3]);
        glColorMask(colourMask[0], colourMask[1], colourMask[2], colourMask[3]);
        glDepthMask(depthMask);
        glStencilMask(static_cast<GLuint>(stencilMask));
    }
    ClearStateGuard(const ClearStateGuard&) = delete;
    ClearStateGuard& operator=(const ClearStateGuard&) = delete;

private:
    GLboolean scissorEnabled;
    GLint scissorBox[4];
    GLboolean colourMask[4];
    GLboolean depthMask;
    GLint stencilMask;
};

} // namespace

Device* Device::Create(Direct3D9* direct3D, HWND focusWindow,
                       const D3DPRESENT_PARAMETERS& presentationParameters, HRESULT* result) {
    HWND windowHandle =
        presentationParameters.hDeviceWindow ? presentationParameters.hDeviceWindow : focusWindow;
    SDL_Window* window = GetSDLWindow(windowHandle);
    if (window == nullptr || !(SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) ||
        !IsBackBufferFormat(presentationParameters.BackBufferFormat)) {
        *result = D3DERR_INVALIDCALL;
        return nullptr;
    }
    Direct3D9::RequestCoreContext();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        *result = D3DERR_NOTAVAILABLE;
        return nullptr;
    }
    auto* device = new Device(direct3D, windowHandle, context);
    *result = device->ApplyPresentationParameters(presentationParameters);
    if (FAILED(*result)) {
        device->Release();
        return nullptr;
    }
    return device;
}

Device::Device(Direct3D9* direct3DObject, HWND windowHandle, SDL_GLContext glContext)
    : direct3D(direct3DObject), deviceWindow(windowHandle), window(GetSDLWindow(windowHandle)),
      standInWindow(SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN)),
      context(glContext) {
    direct3D->AddRef();
    glGenFramebuffers(1, &drawFramebuffer);
    glGenFramebuffers(1, &presentFramebuffer);
    glGenFramebuffers(1, &blitFramebuffer);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    renderStates = std::make_unique<RenderStates>();
    samplerStates = std::make_unique<SamplerStates>();
    fixedFunction = std::make_unique<FixedFunctionProgram>();
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    // What a program reads of an input the declaration lacks: Direct3D's (0, 0, 0, 1), and
    // white for the diffuse colour as the fixed-function pipeline has it.
    for (GLuint location = 0; location < kAttributeCount; ++location)
        glVertexAttrib4f(location, 0.0f, 0.0f, 0.0f, 1.0f);
    glVertexAttrib4f(3, 1.0f, 1.0f, 1.0f, 1.0f);
    UseProgram(0);
}

void Device::MakeContextCurrent() {
    if (WindowAlive()) {
        SDL_GL_MakeCurrent(window, context);
        return;
    }
    SDL_GL_MakeCurrent(standInWindow, context);
}

Device::~Device() {
    MakeContextCurrent();
    UnbindAll();
    for (Surface*& target : renderTargets)
        if (target) target->Release();
    if (depthStencil) depthStencil->Release();
    if (backBuffer) backBuffer->Release();
    glDeleteFramebuffers(1, &drawFramebuffer);
    glDeleteFramebuffers(1, &presentFramebuffer);
    glDeleteFramebuffers(1, &blitFramebuffer);
    samplerStates.reset();
    fixedFunction.reset();
    glDeleteVertexArrays(1, &vertexArray);
    SDL_GL_DeleteContext(context);
    if (standInWindow != nullptr) SDL_DestroyWindow(standInWindow);
    direct3D->Release();
}

HRESULT Device::ApplyPresentationParameters(const D3DPRESENT_PARAMETERS& presentationParameters) {
    parameters = presentationParameters;
    if (parameters.BackBufferWidth == 0 || parameters.BackBufferHeight == 0) {
        int width = 0, height = 0;
        SDL_GetWindowSize(window, &width, &height);
        parameters.BackBufferWidth = static_cast<UINT>(width);
        parameters.BackBufferHeight = static_cast<UINT>(height);
    }
    if (!parameters.Windowed) {
        SDL_DisplayMode wanted{SDL_PIXELFORMAT_RGB888, static_cast<int>(parameters.BackBufferWidth),
                               static_cast<int>(parameters.BackBufferHeight),
                               static_cast<int>(parameters.FullScreen_RefreshRateInHz), nullptr};
        SDL_DisplayMode closest;
        if (SDL_GetClosestDisplayMode(0, &wanted, &closest) != nullptr)
            SDL_SetWindowDisplayMode(window, &closest);
        SDL_SetWindowFullscreen(window, SDL_WINDOW_FULLSCREEN);
    } else {
        SDL_SetWindowFullscreen(window, 0);
    }
    SDL_GL_SetSwapInterval(parameters.PresentationInterval == D3DPRESENT_INTERVAL_IMMEDIATE ? 0
                                                                                            : 1);

    for (DWORD index = 0; index < kMaxRenderTargets; ++index)
        BindRenderTarget(index, nullptr);
    BindDepthStencil(nullptr);
    if (backBuffer) backBuffer->Release();
    backBuffer =
        Surface::CreateRenderbuffer(this, parameters.BackBufferWidth, parameters.BackBufferHeight,
                                    D3DFMT_X8R8G8B8, D3DUSAGE_RENDERTARGET, GL_RGBA8);
    const HRESULT result = TakeGLCreationResult();
    if (FAILED(result)) return result;
    BindRenderTarget(0, backBuffer);
    viewport = {0, 0, parameters.BackBufferWidth, parameters.BackBufferHeight, 0.0f, 1.0f};
    SetViewport(&viewport);
    return D3D_OK;
}

HRESULT Device::TestCooperativeLevel() {
    return D3D9TestSeam::TakeInjectedResult("TestCooperativeLevel");
}

HRESULT Device::Reset(D3DPRESENT_PARAMETERS* presentationParameters) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("Reset")) return injected;
    if (presentationParameters == nullptr ||
        !IsBackBufferFormat(presentationParameters->BackBufferFormat))
        return D3DERR_INVALIDCALL;
    inScene = false;
    // A reset puts every state back to its default and unbinds every resource.
    UnbindAll();
    renderStates->Reset();
    samplerStates->Reset();
    return ApplyPresentationParameters(*presentationParameters);
}

HRESULT Device::BeginScene() {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("BeginScene")) return injected;
    if (inScene) return D3DERR_INVALIDCALL;
    inScene = true;
    return D3D_OK;
}

HRESULT Device::EndScene() {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("EndScene")) return injected;
    if (!inScene) return D3DERR_INVALIDCALL;
    inScene = false;
    return D3D_OK;
}

HRESULT Device::Clear(DWORD count, const D3DRECT* rects, DWORD flags, D3DCOLOR color, float z,
                      DWORD stencil) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("Clear")) return injected;
    if ((flags & D3DCLEAR_TARGET) && renderTargets[0] == nullptr) return D3DERR_INVALIDCALL;
    if ((flags & (D3DCLEAR_ZBUFFER | D3DCLEAR_STENCIL)) && depthStencil == nullptr)
        return D3DERR_INVALIDCALL;

    GLbitfield mask = 0;
    if (flags & D3DCLEAR_TARGET) mask |= GL_COLOR_BUFFER_BIT;
    if (flags & D3DCLEAR_ZBUFFER) mask |= GL_DEPTH_BUFFER_BIT;
    if (flags & D3DCLEAR_STENCIL) mask |= GL_STENCIL_BUFFER_BIT;

    ClearStateGuard guard;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    glClearColor(static_cast<float>((color >> 16) & 0xFF) / 255.0f,
                 static_cast<float>((color >> 8) & 0xFF) / 255.0f,
                 static_cast<float>(color & 0xFF) / 255.0f,
                 static_cast<float>((color >> 24) & 0xFF) / 255.0f);
    glClearDepth(z);
    glClearStencil(static_cast<GLint>(stencil));
    glEnable(GL_SCISSOR_TEST);

    // A clear covers the viewport, or the parts of the rectangles inside it.
    const D3DRECT whole{static_cast<LONG>(viewport.X), static_cast<LONG>(viewport.Y),
                        static_cast<LONG>(viewport.X + viewport.Width),
                        static_cast<LONG>(viewport.Y + viewport.Height)};
    const bool clearWhole = count == 0 || rects == nullptr;
    for (DWORD i = 0; i < (clearWhole ? 1 : count); ++i) {
        const D3DRECT& rect = clearWhole ? whole : rects[i];
        const LONG x1 = std::max(rect.x1, whole.x1), y1 = std::max(rect.y1, whole.y1);
        const LONG x2 = std::min(rect.x2, whole.x2), y2 = std::min(rect.y2, whole.y2);
        if (x2 <= x1 || y2 <= y1) continue;
        glScissor(x1, y1, x2 - x1, y2 - y1);
        glClear(mask);
    }
    return D3D_OK;
}

HRESULT Device::SetViewport(const D3DVIEWPORT9* newViewport) {
    if (newViewport == nullptr || renderTargets[0] == nullptr) return D3DERR_INVALIDCALL;
    const D3DSURFACE_DESC& target = renderTargets[0]->Desc();
    if (newViewport->Width == 0 || newViewport->Height == 0 ||
        newViewport->X + newViewport->Width > target.Width ||
        newViewport->Y + newViewport->Height > target.Height || newViewport->MinZ < 0.0f ||
        newViewport->MaxZ > 1.0f || newViewport->MinZ > newViewport->MaxZ)
        return D3DERR_INVALIDCALL;
    viewport = *newViewport;
    glViewport(static_cast<GLint>(viewport.X), static_cast<GLint>(viewport.Y),
               static_cast<GLsizei>(viewport.Width), static_cast<GLsizei>(viewport.Height));
    glDepthRange(viewport.MinZ, viewport.MaxZ);
    return D3D_OK;
}

HRESULT Device::GetViewport(D3DVIEWPORT9* currentViewport) {
    if (currentViewport == nullptr) return D3DERR_INVALIDCALL;
    *currentViewport = viewport;
    return D3D_OK;
}

HRESULT Device::Present(const RECT*, const RECT*, HWND, const void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("Present")) return injected;
    if (!WindowAlive()) return D3DERR_INVALIDCALL;
    int drawableWidth = 0, drawableHeight = 0;
    SDL_GL_GetDrawableSize(window, &drawableWidth, &drawableHeight);
    const auto width = static_cast<GLint>(parameters.BackBufferWidth);
    const auto height = static_cast<GLint>(parameters.BackBufferHeight);

    // Row 0 of the back buffer is the top of the picture; the window's row 0 is its bottom.
    glBindFramebuffer(GL_READ_FRAMEBUFFER, presentFramebuffer);
    Surface::Attach(backBuffer, GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    const bool sameSize = drawableWidth == width && drawableHeight == height;
    glBlitFramebuffer(0, 0, width, height, 0, drawableHeight, drawableWidth, 0, GL_COLOR_BUFFER_BIT,
                      sameSize ? GL_NEAREST : GL_LINEAR);
    SDL_GL_SwapWindow(window);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    return D3D_OK;
}

HRESULT Device::GetBackBuffer(UINT swapChain, UINT index, D3DBACKBUFFER_TYPE,
                              IDirect3DSurface9** surface) {
    if (surface == nullptr || swapChain != 0 || index >= std::max(parameters.BackBufferCount, 1u))
        return D3DERR_INVALIDCALL;
    backBuffer->AddRef();
    *surface = backBuffer;
    return D3D_OK;
}

HRESULT Device::GetRenderTarget(DWORD index, IDirect3DSurface9** surface) {
    if (surface == nullptr || index >= kMaxRenderTargets) return D3DERR_INVALIDCALL;
    *surface = renderTargets[index];
    if (*surface == nullptr) return D3DERR_NOTFOUND;
    renderTargets[index]->AddRef();
    return D3D_OK;
}

HRESULT Device::SetRenderTarget(DWORD index, IDirect3DSurface9* renderTarget) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("SetRenderTarget"))
        return injected;
    auto* surface = static_cast<Surface*>(renderTarget);
    if (index >= kMaxRenderTargets || (index == 0 && surface == nullptr) ||
        (surface != nullptr && !surface->IsRenderTarget()))
        return D3DERR_INVALIDCALL;
    BindRenderTarget(index, surface);
    if (index == 0) {
        viewport = {0, 0, surface->Desc().Width, surface->Desc().Height, 0.0f, 1.0f};
        SetViewport(&viewport);
    }
    return D3D_OK;
}

HRESULT Device::CreateDepthStencilSurface(UINT width, UINT height, D3DFORMAT format,
                                          D3DMULTISAMPLE_TYPE multiSample, DWORD, BOOL,
                                          IDirect3DSurface9** surface, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateDepthStencilSurface"))
        return injected;
    if (surface == nullptr || width == 0 || height == 0 || multiSample != D3DMULTISAMPLE_NONE)
        return D3DERR_INVALIDCALL;
    GLenum internalFormat = 0;
    if (format == D3DFMT_D16) internalFormat = GL_DEPTH_COMPONENT16;
    if (format == D3DFMT_D24S8) internalFormat = GL_DEPTH24_STENCIL8;
    if (internalFormat == 0) return D3DERR_INVALIDCALL;
    Surface* created = Surface::CreateRenderbuffer(this, width, height, format,
                                                   D3DUSAGE_DEPTHSTENCIL, internalFormat);
    const HRESULT result = TakeGLCreationResult();
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *surface = created;
    return D3D_OK;
}

HRESULT Device::SetDepthStencilSurface(IDirect3DSurface9* surface) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("SetDepthStencilSurface"))
        return injected;
    auto* depth = static_cast<Surface*>(surface);
    if (depth != nullptr && !depth->IsDepthStencil()) return D3DERR_INVALIDCALL;
    BindDepthStencil(depth);
    return D3D_OK;
}

HRESULT Device::GetDepthStencilSurface(IDirect3DSurface9** surface) {
    if (surface == nullptr) return D3DERR_INVALIDCALL;
    *surface = depthStencil;
    if (depthStencil == nullptr) return D3DERR_NOTFOUND;
    depthStencil->AddRef();
    return D3D_OK;
}

HRESULT Device::CreateOffscreenPlainSurface(UINT width, UINT height, D3DFORMAT format, D3DPOOL pool,
                                            IDirect3DSurface9** surface, void*) {
    if (surface == nullptr || width == 0 || height == 0 || pool != D3DPOOL_SYSTEMMEM ||
        (format != D3DFMT_A8R8G8B8 && format != D3DFMT_X8R8G8B8))
        return D3DERR_INVALIDCALL;
    *surface = Surface::CreateSystemMemory(this, width, height, format);
    return D3D_OK;
}

HRESULT Device::GetRenderTargetData(IDirect3DSurface9* renderTarget,
                                    IDirect3DSurface9* destSurface) {
    auto* source = static_cast<Surface*>(renderTarget);
    auto* dest = static_cast<Surface*>(destSurface);
    if (source == nullptr || dest == nullptr || !source->IsRenderTarget() ||
        !dest->InSystemMemory() || source->Desc().Width != dest->Desc().Width ||
        source->Desc().Height != dest->Desc().Height)
        return D3DERR_INVALIDCALL;
    glBindFramebuffer(GL_READ_FRAMEBUFFER, presentFramebuffer);
    Surface::Attach(source, GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, static_cast<GLsizei>(source->Desc().Width),
                 static_cast<GLsizei>(source->Desc().Height), GL_BGRA, GL_UNSIGNED_BYTE,
                 dest->Pixels().data());
    return TakeGLCreationResult();
}

HRESULT Device::CreateVolumeTexture(UINT width, UINT height, UINT depth, UINT levels, DWORD usage,
                                    D3DFORMAT format, D3DPOOL pool,
                                    IDirect3DVolumeTexture9** volumeTexture, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateVolumeTexture"))
        return injected;
    if (volumeTexture == nullptr || width == 0 || height == 0 || depth == 0 ||
        (usage & (D3DUSAGE_RENDERTARGET | D3DUSAGE_DEPTHSTENCIL)) ||
        !VolumeTexture::SupportsFormat(format))
        return D3DERR_INVALIDCALL;
    UINT chainLength = 1;
    for (UINT extent = std::max({width, height, depth}); extent > 1; extent /= 2)
        ++chainLength;
    if (levels > chainLength) return D3DERR_INVALIDCALL;
    const D3DVOLUME_DESC desc{format, D3DRTYPE_VOLUME, usage, pool, width, height, depth};
    VolumeTexture* created = VolumeTexture::Create(this, desc, levels == 0 ? chainLength : levels);
    const HRESULT result = TakeGLCreationResult();
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *volumeTexture = created;
    return D3D_OK;
}

void Device::BindRenderTarget(DWORD index, Surface* surface) {
    if (surface) surface->AddRef();
    if (renderTargets[index]) renderTargets[index]->Release();
    renderTargets[index] = surface;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    Surface::Attach(surface, GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0 + index);
    UpdateDrawBuffers();
}

void Device::BindDepthStencil(Surface* surface) {
    if (surface) surface->AddRef();
    if (depthStencil) depthStencil->Release();
    depthStencil = surface;
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    const bool hasStencil = surface && surface->Desc().Format == D3DFMT_D24S8;
    // Detaching the depth-stencil point detaches depth too, so it goes first.
    Surface::Attach(hasStencil ? surface : nullptr, GL_DRAW_FRAMEBUFFER,
                    GL_DEPTH_STENCIL_ATTACHMENT);
    if (!hasStencil) Surface::Attach(surface, GL_DRAW_FRAMEBUFFER, GL_DEPTH_ATTACHMENT);
}

void Device::UpdateDrawBuffers() {
    std::array<GLenum, kMaxRenderTargets> buffers{};
    for (DWORD i = 0; i < kMaxRenderTargets; ++i)
        buffers[i] = renderTargets[i] ? GL_COLOR_ATTACHMENT0 + i : GL_NONE;
    glDrawBuffers(kMaxRenderTargets, buffers.data());
}
