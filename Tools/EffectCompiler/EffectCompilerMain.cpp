// effectcompiler: compiles every effect of a folder through the effect framework on an
// offscreen OpenGL device and writes the data file's effect entries.
//
//   effectcompiler --output DIR SOURCE_FOLDER
//
// DIR/OShaders and DIR/Shaders belong to this tool alone: they are emptied first, so that a
// renamed or removed effect leaves no stale entry behind.
// The first fault is printed as "file(line): error: text" and fails the run, so a broken effect
// stops the data build before basefile.dat is packed.

#include "EffectCompiler/EffectFolder.h"
#include "Framework/DXFramework.h"
#include "Platform/Win32/Windows.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <string_view>

namespace {

constexpr const char* kWindowClass = "effectcompiler";
constexpr int kDeviceSize = 64;

LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefWindowProc(window, message, wParam, lParam);
}

// The device the effects link their programs on, with its window and Direct3D object.
class OffscreenDevice {
public:
    OffscreenDevice() {
        // The build never shows a window, whatever display it runs on.
        setenv("SDL_VIDEODRIVER", "offscreen", 1);
        WNDCLASSEX windowClass{};
        windowClass.cbSize = sizeof(WNDCLASSEX);
        windowClass.lpfnWndProc = WindowProc;
        windowClass.lpszClassName = kWindowClass;
        RegisterClassEx(&windowClass);
        window = CreateWindowEx(0, kWindowClass, kWindowClass, WS_POPUP, 0, 0, kDeviceSize,
                                kDeviceSize, nullptr, nullptr, nullptr, nullptr);
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        if (window == nullptr || direct3D == nullptr) return;
        D3DPRESENT_PARAMETERS parameters{};
        parameters.BackBufferWidth = parameters.BackBufferHeight = kDeviceSize;
        parameters.BackBufferFormat = D3DFMT_X8R8G8B8;
        parameters.SwapEffect = D3DSWAPEFFECT_DISCARD;
        parameters.hDeviceWindow = window;
        parameters.Windowed = TRUE;
        direct3D->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, window,
                               D3DCREATE_HARDWARE_VERTEXPROCESSING, &parameters, &g_pd3dDevice);
    }
    ~OffscreenDevice() {
        if (g_pd3dDevice != nullptr) g_pd3dDevice->Release();
        g_pd3dDevice = nullptr;
        if (direct3D != nullptr) direct3D->Release();
        if (window != nullptr) DestroyWindow(window);
        UnregisterClass(kWindowClass, nullptr);
    }
    OffscreenDevice(const OffscreenDevice&) = delete;
    OffscreenDevice& operator=(const OffscreenDevice&) = delete;

    bool Ready() const { return g_pd3dDevice != nullptr; }

private:
    HWND window = nullptr;
    IDirect3D9* direct3D = nullptr;
};

int Usage() {
    std::fputs("usage: effectcompiler --output DIR SOURCE_FOLDER\n", stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || std::string_view(argv[1]) != "--output") return Usage();
    try {
        const EffectFolder folder(argv[3]);
        const OffscreenDevice device;
        if (!device.Ready()) {
            std::fputs("effectcompiler: no OpenGL 3.3 device to compile the effects on\n", stderr);
            return 1;
        }
        if (const auto fault = folder.Compile()) {
            std::fprintf(stderr, "%s\n", fault->c_str());
            return 1;
        }
        folder.Write(argv[2]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "effectcompiler: %s\n", error.what());
        return 1;
    }
}
