#include "Platform/D3D9/Direct3D9.h"

#include "Platform/D3D9/D3D9TestSeam.h"
#include "Platform/D3D9/Device.h"

#include <SDL.h>
#include <epoxy/gl.h>

#include <algorithm>

namespace {

// Direct3D 9 binds at most four render targets at once.
constexpr DWORD kMaxSimultaneousRenderTargets = 4;

bool IsTrueColour(Uint32 sdlFormat) {
    // The offscreen driver reports one mode of unknown format: the desktop's own.
    return sdlFormat == SDL_PIXELFORMAT_UNKNOWN || SDL_BITSPERPIXEL(sdlFormat) >= 24;
}

// The limits of an OpenGL 3.3 core context, as Direct3D 9 capabilities.
bool ProbeCaps(D3DCAPS9& caps) {
    SDL_Window* window = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) return false;
    Direct3D9::RequestCoreContext();
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        SDL_DestroyWindow(window);
        return false;
    }
    GLint drawBuffers = 0, textureSize = 0, volumeSize = 0;
    glGetIntegerv(GL_MAX_DRAW_BUFFERS, &drawBuffers);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &textureSize);
    glGetIntegerv(GL_MAX_3D_TEXTURE_SIZE, &volumeSize);
    SDL_GL_DeleteContext(context);
    SDL_DestroyWindow(window);

    caps.DeviceType = D3DDEVTYPE_HAL;
    caps.AdapterOrdinal = 0;
    caps.DevCaps = D3DDEVCAPS_HWTRANSFORMANDLIGHT;
    // OpenGL 3.3 samples every size, cube and volume textures, with mip chains.
    caps.TextureCaps = D3DPTEXTURECAPS_CUBEMAP | D3DPTEXTURECAPS_VOLUMEMAP |
                       D3DPTEXTURECAPS_MIPMAP | D3DPTEXTURECAPS_MIPVOLUMEMAP |
                       D3DPTEXTURECAPS_MIPCUBEMAP;
    caps.MaxTextureWidth = static_cast<DWORD>(textureSize);
    caps.MaxTextureHeight = static_cast<DWORD>(textureSize);
    caps.MaxVolumeExtent = static_cast<DWORD>(volumeSize);
    caps.VertexProcessingCaps =
        D3DVTXPCAPS_TEXGEN | D3DVTXPCAPS_DIRECTIONALLIGHTS | D3DVTXPCAPS_POSITIONALLIGHTS;
    // GLSL 3.30 offers what shader model 3.0 does.
    caps.VertexShaderVersion = D3DVS_VERSION(3, 0);
    caps.PixelShaderVersion = D3DPS_VERSION(3, 0);
    caps.NumSimultaneousRTs =
        std::min(static_cast<DWORD>(drawBuffers), kMaxSimultaneousRenderTargets);
    return true;
}

} // namespace

IDirect3D9* Direct3DCreate9(UINT sdkVersion) {
    if (sdkVersion != D3D_SDK_VERSION || D3D9TestSeam::Direct3DCreateFails()) return nullptr;
    return Direct3D9::Create();
}

void Direct3D9::RequestCoreContext() {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    // The window's own buffer only receives the presented back buffer.
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
}

Direct3D9* Direct3D9::Create() {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return nullptr;
    auto* direct3D = new Direct3D9();
    if (!ProbeCaps(direct3D->caps)) {
        direct3D->Release();
        return nullptr;
    }
    return direct3D;
}

Direct3D9::~Direct3D9() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

std::vector<D3DDISPLAYMODE> Direct3D9::AdapterModes() const {
    if (const auto* scripted = D3D9TestSeam::ScriptedModes()) return *scripted;
    std::vector<D3DDISPLAYMODE> modes;
    const int count = SDL_GetNumDisplayModes(0);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(0, i, &mode) != 0 || !IsTrueColour(mode.format)) continue;
        modes.push_back({static_cast<UINT>(mode.w), static_cast<UINT>(mode.h),
                         static_cast<UINT>(mode.refresh_rate), D3DFMT_X8R8G8B8});
    }
    return modes;
}

UINT Direct3D9::GetAdapterModeCount(UINT adapter, D3DFORMAT format) {
    if (adapter != 0 || format != D3DFMT_X8R8G8B8) return 0;
    return static_cast<UINT>(AdapterModes().size());
}

HRESULT Direct3D9::EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                                    D3DDISPLAYMODE* displayMode) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("EnumAdapterModes"))
        return injected;
    const auto modes = AdapterModes();
    if (adapter != 0 || format != D3DFMT_X8R8G8B8 || displayMode == nullptr || mode >= modes.size())
        return D3DERR_INVALIDCALL;
    *displayMode = modes[mode];
    return D3D_OK;
}

HRESULT Direct3D9::GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("GetAdapterDisplayMode"))
        return injected;
    if (adapter != 0 || displayMode == nullptr) return D3DERR_INVALIDCALL;
    if (const auto* scripted = D3D9TestSeam::ScriptedModes(); scripted && !scripted->empty()) {
        *displayMode = scripted->front();
        return D3D_OK;
    }
    SDL_DisplayMode desktop;
    if (SDL_GetDesktopDisplayMode(0, &desktop) != 0) return D3DERR_NOTAVAILABLE;
    *displayMode = {static_cast<UINT>(desktop.w), static_cast<UINT>(desktop.h),
                    static_cast<UINT>(desktop.refresh_rate), D3DFMT_X8R8G8B8};
    return D3D_OK;
}

HRESULT Direct3D9::CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT, DWORD usage,
                                     D3DRESOURCETYPE resourceType, D3DFORMAT checkFormat) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CheckDeviceFormat"))
        return injected;
    if (adapter != 0 || deviceType != D3DDEVTYPE_HAL) return D3DERR_INVALIDCALL;
    if (usage & D3DUSAGE_DEPTHSTENCIL)
        return resourceType == D3DRTYPE_SURFACE &&
                       (checkFormat == D3DFMT_D16 || checkFormat == D3DFMT_D24S8)
                   ? D3D_OK
                   : D3DERR_NOTAVAILABLE;
    return checkFormat == D3DFMT_UNKNOWN ? D3DERR_NOTAVAILABLE : D3D_OK;
}

HRESULT Direct3D9::GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* deviceCaps) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("GetDeviceCaps")) return injected;
    if (adapter != 0 || deviceType != D3DDEVTYPE_HAL || deviceCaps == nullptr)
        return D3DERR_INVALIDCALL;
    *deviceCaps = caps;
    D3D9TestSeam::ApplyCapsOverride(*deviceCaps);
    return D3D_OK;
}

HRESULT Direct3D9::CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD,
                                D3DPRESENT_PARAMETERS* presentationParameters,
                                IDirect3DDevice9** device) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateDevice")) return injected;
    if (adapter != 0 || deviceType != D3DDEVTYPE_HAL || presentationParameters == nullptr ||
        device == nullptr)
        return D3DERR_INVALIDCALL;
    HRESULT result = D3D_OK;
    *device = Device::Create(this, focusWindow, *presentationParameters, &result);
    return result;
}
