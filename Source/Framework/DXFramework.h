// The process-wide framework: settings, the window, the device, the framework singletons and
// the program's life from the setup dialog to the shutdown.
#pragma once

#include "Framework/FrameworkSettings.h"
#include "Framework/RunOptions.h"
#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXEffect.h"
#include "Platform/Win32/Windows.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class Mouse;
class FileSys;
class RTHandler;
class RSHandler;
class RTCubeHandler;
class Timer;
class BASSPlayer;
class ModuleHandler;
class SceneHandler;
class KeyHandler;
class FrameSink;
class Scene;
class DXEffect;

// The device every drawing class uses; null while there is none.
extern IDirect3DDevice9* g_pd3dDevice;

class DXFramework {
public:
    DXFramework(const char* commandLine, HINSTANCE instance, const char* name);
    ~DXFramework();
    DXFramework(const DXFramework&) = delete;
    DXFramework& operator=(const DXFramework&) = delete;

    static DXFramework* Instance() { return instance; }

    // Setup dialog, window, device, loading, warm-up, the frame loop and the shutdown.
    void Run();
    void OpenWindow();
    void CreateDevice();
    void LoadDeviceResources();
    // Advances and draws the loader bar after each item loaded during the first load.
    void StepLoaderBar();
    void RenderFrame();
    void ResetDevice();
    // Releases every device object, the device and the Direct3D object; safe to repeat.
    void ReleaseDeviceObjects();
    // The 16:9 picture area, centred vertically in the back buffer.
    void SetPictureViewport();
    // Clears the picture area and the bands above and below it to black.
    void ClearLetterbox();

    static const char* ErrorName(HRESULT result);
    // Creates the effect "OShaders\" + name + "o" of the data file, its includes read from
    // "Shaders\", with the pool or none. Throws FrameworkEx when the entry is missing.
    static HRESULT CreateEffectFromFile(const std::string& name, ID3DXEffectPool* pool,
                                        ID3DXEffect** effect, ID3DXBuffer** errors);
    static LRESULT WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    std::string name;
    HINSTANCE instanceHandle = nullptr;
    // Makes the one scene of the hidden game; set by the program before Run.
    std::function<Scene*()> gameSceneFactory;
    bool showSetup = true;
    RunOptions options;
    FrameworkSettings settings;

    bool minimized = false;
    bool destroying = false;
    bool deviceLost = false;
    bool resourcesLoaded = false;
    bool warmingUp = true;
    bool gameRequested = false;

    HWND window = nullptr;
    IDirect3D9* direct3D = nullptr;
    D3DCAPS9 caps{};
    D3DPRESENT_PARAMETERS presentParameters{};

    IDirect3DSurface9* backBufferSurface = nullptr;
    IDirect3DSurface9* sharedDepthSurface = nullptr;
    IDirect3DSurface9* plainDepthSurface = nullptr;
    // "global.fx", whose shared parameters every effect of the pool sees, and that pool.
    std::unique_ptr<DXEffect> globalEffect;
    ID3DXEffectPool* effectPool = nullptr;
    // The shared noise texture "NOISETEX".
    IDirect3DVolumeTexture9* noiseTexture = nullptr;

    // Items loaded so far; drives the loader bar.
    static inline std::uint32_t loadedItemCount = 0;
    static inline bool gameSwitchDone = false;

private:
    void WarmUp();
    void FrameLoop(const std::vector<std::unique_ptr<FrameSink>>& sinks);
    void Shutdown();
    void SwitchToGame();
    // Everything the device made, in release order; the device itself stays.
    void ReleaseDeviceResources();

    static inline DXFramework* instance = nullptr;

    std::unique_ptr<Mouse> mouse;
    std::unique_ptr<FileSys> fileSys;
    std::unique_ptr<RTHandler> rtHandler;
    std::unique_ptr<RSHandler> rsHandler;
    std::unique_ptr<RTCubeHandler> rtCubeHandler;
    std::unique_ptr<Timer> timer;
    std::unique_ptr<BASSPlayer> bassPlayer;
    std::unique_ptr<ModuleHandler> moduleHandler;
    std::unique_ptr<SceneHandler> sceneHandler;
    std::unique_ptr<KeyHandler> keyHandler;
};
