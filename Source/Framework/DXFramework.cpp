#include "Framework/DXFramework.h"

#include "Framework/BASSPlayer.h"
#include "Framework/DXEffect.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/KeyHandler.h"
#include "Framework/ModuleHandler.h"
#include "Framework/Mouse.h"
#include "Framework/ReleaseAndClear.h"
#include "Framework/RenderTargetResources/RSHandler.h"
#include "Framework/RenderTargetResources/RTCubeHandler.h"
#include "Framework/RenderTargetResources/RTHandler.h"
#include "Framework/SceneHandler.h"
#include "Framework/Timer.h"

#include <cstring>

IDirect3DDevice9* g_pd3dDevice = nullptr;

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\DXFramework";
constexpr const char* kWindowClassName = "d3d_framework";
constexpr int kCursorResource = 101;
constexpr int kSmallIconResource = 103;

struct CapabilityCheck {
    bool (*fails)(const D3DCAPS9&);
    const char* message;
};

// The adaptor features the demo needs, in the order they are checked.
constexpr CapabilityCheck kCapabilityChecks[] = {
    {[](const D3DCAPS9& c) { return c.NumSimultaneousRTs < 2; },
     "Number of simultaneous render targets < 2"},
    {[](const D3DCAPS9& c) {
         return (c.VertexShaderVersion & 0xFF00) < (D3DVS_VERSION(3, 0) & 0xFF00);
     },
     "VertexShaderVersion < 3.0"},
    {[](const D3DCAPS9& c) {
         return (c.PixelShaderVersion & 0xFF00) < (D3DPS_VERSION(3, 0) & 0xFF00);
     },
     "PixelShaderVersion < 3.0"},
    {[](const D3DCAPS9& c) { return c.MaxTextureWidth < 2048; }, "MaxTextureWidth < 2048"},
    {[](const D3DCAPS9& c) { return c.MaxTextureHeight < 2048; }, "MaxTextureHeight < 2048"},
    {[](const D3DCAPS9& c) { return !(c.TextureCaps & D3DPTEXTURECAPS_CUBEMAP); },
     "Cubemaps not allowed"},
    {[](const D3DCAPS9& c) { return !(c.TextureCaps & D3DPTEXTURECAPS_VOLUMEMAP); },
     "Volumemaps not allowed"},
    {[](const D3DCAPS9& c) { return (c.TextureCaps & D3DPTEXTURECAPS_SQUAREONLY) != 0; },
     "Textures can only be squares"},
    {[](const D3DCAPS9& c) {
         return (c.TextureCaps & D3DPTEXTURECAPS_POW2) &&
                !(c.TextureCaps & D3DPTEXTURECAPS_NONPOW2CONDITIONAL);
     },
     "Your gfx adaptor does not support non-power-of-two textures in any reasonable way"},
};

} // namespace

DXFramework::DXFramework(const char* commandLine, HINSTANCE programInstance,
                         const char* frameworkName) {
    if (instance != nullptr)
        throw FrameworkEx("Framework is a singleton and can only have 1 instance!");
    name = frameworkName;
    instance = this;
    g_pd3dDevice = nullptr;
    try {
        mouse = std::make_unique<Mouse>();
        showSetup = std::strstr(commandLine, "--nosetup") == nullptr;
        instanceHandle = programInstance;
        options = RunOptions::Parse(commandLine, nullptr).value_or(RunOptions{});
        if (options.width != 0) {
            settings.screenWidth = settings.pictureWidth = options.width;
            settings.screenHeight = options.height;
            settings.pictureHeight = options.width * 9 / 16;
        }

        WNDCLASSEX windowClass{};
        windowClass.cbSize = sizeof(WNDCLASSEX);
        windowClass.style = CS_CLASSDC;
        windowClass.lpfnWndProc = WindowProc;
        windowClass.hInstance = GetModuleHandle(nullptr);
        windowClass.hIcon = LoadIcon(nullptr, MAKEINTRESOURCE(IDI_APPLICATION));
        windowClass.hCursor = LoadCursor(programInstance, MAKEINTRESOURCE(kCursorResource));
        windowClass.hbrBackground = GetStockObject(WHITE_BRUSH);
        windowClass.lpszClassName = kWindowClassName;
        windowClass.hIconSm = LoadIcon(programInstance, MAKEINTRESOURCE(kSmallIconResource));
        RegisterClassEx(&windowClass);

        fileSys = std::make_unique<FileSys>();
        rtHandler = std::make_unique<RTHandler>();
        rsHandler = std::make_unique<RSHandler>();
        rtCubeHandler = std::make_unique<RTCubeHandler>();
        timer = std::make_unique<Timer>();
        bassPlayer = std::make_unique<BASSPlayer>();
        moduleHandler = std::make_unique<ModuleHandler>();
        sceneHandler = std::make_unique<SceneHandler>("Scenes");
        keyHandler = std::make_unique<KeyHandler>();
    } catch (...) {
        instance = nullptr;
        throw;
    }
}

DXFramework::~DXFramework() {
    rtHandler.reset();
    rtCubeHandler.reset();
    rsHandler.reset();
    ReleaseDeviceObjects();
    mouse.reset();
    timer.reset();
    bassPlayer.reset();
    moduleHandler.reset();
    sceneHandler.reset();
    keyHandler.reset();
    fileSys.reset();
    UnregisterClass(kWindowClassName, instanceHandle);
    instance = nullptr;
}

void DXFramework::OpenWindow() {
    const DWORD exStyle =
        settings.fullscreen ? WS_EX_APPWINDOW : WS_EX_APPWINDOW | WS_EX_WINDOWEDGE;
    const DWORD style = settings.fullscreen ? WS_POPUP : WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT rect{0, 0, static_cast<LONG>(settings.screenWidth),
              static_cast<LONG>(settings.screenHeight)};
    AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    int x = 0, y = 0;
    if (!settings.fullscreen) {
        x = GetSystemMetrics(SM_CXFULLSCREEN) / 2 - width / 2;
        y = GetSystemMetrics(SM_CYFULLSCREEN) / 2 - height / 2;
    }
    window = CreateWindowEx(exStyle, kWindowClassName, name.c_str(),
                            style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, x, y, width, height, nullptr,
                            nullptr, instanceHandle, nullptr);
    if (window == nullptr) throw FrameworkEx("Failed creating window");
}

void DXFramework::CreateDevice() {
    if (settings.fullscreen) {
        while (ShowCursor(FALSE) >= 0) {
        }
    } else {
        while (ShowCursor(TRUE) < 0) {
        }
    }
    if (direct3D == nullptr) {
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        if (direct3D == nullptr) throw FrameworkEx("Unable to initialize d3d9");
    }
    if (!settings.fullscreen) {
        D3DDISPLAYMODE mode{};
        GUARDED(direct3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode));
        GUARDED(direct3D->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, mode.Format,
                                            D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_D16));
    }
    GUARDED(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps));
    for (const CapabilityCheck& check : kCapabilityChecks)
        if (check.fails(caps)) throw FrameworkSupportFailed(check.message);

    presentParameters = {};
    presentParameters.BackBufferWidth = settings.screenWidth;
    presentParameters.BackBufferHeight = settings.screenHeight;
    presentParameters.BackBufferFormat = D3DFMT_X8R8G8B8;
    presentParameters.BackBufferCount = 2;
    presentParameters.MultiSampleType = static_cast<D3DMULTISAMPLE_TYPE>(settings.multiSampleType);
    presentParameters.MultiSampleQuality = settings.multiSampleQuality;
    presentParameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
    presentParameters.hDeviceWindow = window;
    presentParameters.Windowed = settings.fullscreen ? FALSE : TRUE;
    presentParameters.EnableAutoDepthStencil = FALSE;
    presentParameters.AutoDepthStencilFormat = D3DFMT_D16;
    presentParameters.Flags = 0;
    presentParameters.FullScreen_RefreshRateInHz = settings.fullscreen ? settings.refreshRate : 0;
    presentParameters.PresentationInterval =
        settings.vsync ? D3DPRESENT_INTERVAL_ONE : D3DPRESENT_INTERVAL_IMMEDIATE;

    const DWORD behaviour = caps.VertexProcessingCaps != 0 ? D3DCREATE_HARDWARE_VERTEXPROCESSING
                                                           : D3DCREATE_SOFTWARE_VERTEXPROCESSING;
    GUARDED(direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window, behaviour,
                                   &presentParameters, &g_pd3dDevice));
    // A device lost during creation leaves nothing to draw with.
    if (g_pd3dDevice == nullptr)
        throw FrameworkEx("[DXFramework::CreateDevice]: The device was lost while it was "
                          "being created; start the demo again.");
}

void DXFramework::SetPictureViewport() {
    const D3DVIEWPORT9 viewport{0,
                                (settings.screenHeight - settings.pictureHeight) >> 1,
                                settings.pictureWidth,
                                settings.pictureHeight,
                                0.0f,
                                1.0f};
    GUARDED(g_pd3dDevice->SetViewport(&viewport));
}

void DXFramework::ClearLetterbox() {
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(sharedDepthSurface));
    GUARDED(g_pd3dDevice->SetRenderTarget(0, backBufferSurface));
    SetPictureViewport();
    GUARDED(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 0.0f, 0));

    const std::uint32_t band = (settings.screenHeight - settings.pictureHeight) >> 1;
    if (band != 0) {
        const D3DVIEWPORT9 top{0, 0, settings.screenWidth, band, 0.0f, 1.0f};
        GUARDED(g_pd3dDevice->SetViewport(&top));
        GUARDED(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 0.0f, 0));
    }
    const std::uint32_t bottomY = band + settings.pictureHeight;
    const D3DVIEWPORT9 bottom{0,    bottomY, settings.screenWidth, settings.screenHeight - bottomY,
                              0.0f, 1.0f};
    if (bottom.Height != 0) {
        GUARDED(g_pd3dDevice->SetViewport(&bottom));
        GUARDED(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0, 0.0f, 0));
    }
}

void DXFramework::ReleaseDeviceObjects() {
    ReleaseDeviceResources();
    ReleaseAndClear(g_pd3dDevice);
    ReleaseAndClear(direct3D);
}

void DXFramework::ReleaseDeviceResources() {
    if (SceneHandler* scenes = SceneHandler::Instance()) scenes->UnloadAll();
    if (ModuleHandler* modules = ModuleHandler::Instance()) modules->UnloadAll();
    // The render targets are device objects too: they go before the device is reset or released,
    // and the scenes' Enter and Leave declare them again when the resources are loaded.
    if (RTHandler* targets = RTHandler::Instance()) targets->Clear();
    if (RTCubeHandler* cubes = RTCubeHandler::Instance()) cubes->Clear();
    if (RSHandler* surfaces = RSHandler::Instance()) surfaces->Clear();
    globalEffect.reset();
    ReleaseAndClear(effectPool);
    ReleaseAndClear(noiseTexture);
    if (plainDepthSurface != sharedDepthSurface) ReleaseAndClear(plainDepthSurface);
    plainDepthSurface = nullptr;
    ReleaseAndClear(sharedDepthSurface);
    ReleaseAndClear(backBufferSurface);
}

LRESULT DXFramework::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    DXFramework* framework = DXFramework::Instance();
    switch (message) {
    case WM_DESTROY:
        if (framework != nullptr && framework->destroying)
            framework->destroying = false;
        else
            PostQuitMessage(0);
        return 0;
    case WM_SIZE:
        if (framework != nullptr) framework->minimized = wParam == SIZE_MINIMIZED;
        return 0;
    case WM_KEYDOWN:
        if (KeyHandler* keys = KeyHandler::Instance())
            keys->KeyDown(static_cast<std::uint32_t>(wParam));
        if (wParam == VK_ESCAPE) PostQuitMessage(0);
        return 0;
    case WM_SYSKEYDOWN:
        if (KeyHandler* keys = KeyHandler::Instance())
            keys->KeyDown(static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_KEYUP:
    case WM_SYSKEYUP:
        if (KeyHandler* keys = KeyHandler::Instance())
            keys->KeyUp(static_cast<std::uint32_t>(wParam));
        return 0;
    case WM_MOUSEMOVE:
        if (Mouse* mouse = Mouse::Instance()) {
            mouse->SetButtons(wParam & MK_LBUTTON, wParam & MK_MBUTTON, wParam & MK_RBUTTON);
            mouse->SetPosition(LOWORD(static_cast<std::uintptr_t>(lParam)),
                               HIWORD(static_cast<std::uintptr_t>(lParam)));
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        if (Mouse* mouse = Mouse::Instance())
            mouse->SetButtons(wParam & MK_LBUTTON, wParam & MK_MBUTTON, wParam & MK_RBUTTON);
        break;
    default:
        break;
    }
    return DefWindowProc(hwnd, message, wParam, lParam);
}
