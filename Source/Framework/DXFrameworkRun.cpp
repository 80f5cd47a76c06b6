// The program's life after construction: setup, loading, warm-up, frames and shutdown.
#include "Framework/BASSPlayer.h"
#include "Framework/DXEffect.h"
#include "Framework/DXFramework.h"
#include "Framework/FrameCapture.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/KeyHandler.h"
#include "Framework/LoaderBarModule.h"
#include "Framework/ModuleHandler.h"
#include "Framework/NoiseTexture.h"
#include "Framework/SceneHandler.h"
#include "Framework/SetupDialog.h"
#include "Framework/Timer.h"
#include "Framework/VideoRecorder.h"

#include <memory>
#include <vector>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\DXFramework";
constexpr const char* kSoundtrack = "Data\\lumenvale_final.ogg";
constexpr double kDemoEnd = 287.0;
constexpr double kWarmUpTimes[] = {20, 52, 120, 145, 170, 180, 185, 203, 234, 275};
constexpr UINT kDepthSurfaceSize = 2048;
constexpr DWORD kLostDevicePollMs = 100;

void ResetClock() {
    Timer::currentTime = 0.0;
    Timer::previousTime = 0.0;
    Timer::delta = 0.0;
}

} // namespace

void DXFramework::Run() {
    direct3D = Direct3DCreate9(D3D_SDK_VERSION);
    if (direct3D == nullptr) throw FrameworkEx("Unable to initialize d3d9");
    if (showSetup) {
        SetupDialog dialog(direct3D, settings);
        if (dialog.Run(instanceHandle) != 1) {
            ReleaseDeviceObjects();
            return;
        }
    }
    OpenWindow();
    CreateDevice();
    ShowWindow(window, SW_SHOWNORMAL);
    SetFocus(window);
    UpdateWindow(window);
    GUARDED(g_pd3dDevice->GetRenderTarget(0, &backBufferSurface));

    LoadDeviceResources();
    BASSPlayer::Instance()->InitDevice();
    WarmUp();
    BASSPlayer::Instance()->Init(BASS_STREAM, kSoundtrack);
    // A rendered time range follows its own clock and leaves the music silent.
    if (options.FixedStep())
        Timer::UseFixedStep(options.from.value_or(0.0), options.framesPerSecond);
    else
        BASSPlayer::Instance()->Play();
    std::vector<std::unique_ptr<FrameSink>> sinks;
    if (!options.captureDirectory.empty())
        sinks.push_back(std::make_unique<FrameCapture>(options.captureDirectory));
    if (!options.videoFile.empty())
        sinks.push_back(VideoRecorder::ToFile(
            options.videoFile, settings,
            {options.from.value_or(0.0), options.to.value_or(kDemoEnd), options.framesPerSecond}));
    FrameLoop(sinks);
    for (const auto& sink : sinks)
        sink->Finish();
    Shutdown();
}

void DXFramework::LoadDeviceResources() {
    GUARDED(g_pd3dDevice->CreateDepthStencilSurface(
        kDepthSurfaceSize, kDepthSurfaceSize, D3DFMT_D16,
        static_cast<D3DMULTISAMPLE_TYPE>(settings.multiSampleType), 0, TRUE, &sharedDepthSurface,
        nullptr));
    if (settings.multiSampleType != D3DMULTISAMPLE_NONE) {
        GUARDED(g_pd3dDevice->CreateDepthStencilSurface(kDepthSurfaceSize, kDepthSurfaceSize,
                                                        D3DFMT_D16, D3DMULTISAMPLE_NONE, 0, TRUE,
                                                        &plainDepthSurface, nullptr));
    } else {
        plainDepthSurface = sharedDepthSurface;
    }
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(sharedDepthSurface));

    // Every scene acquires and releases its named targets once, so all of them exist before
    // the first frame and playback creates none.
    SceneHandler::Instance()->EnterLeaveAll();
    noiseTexture = CreateNoiseTexture(g_pd3dDevice);
    globalEffect = std::make_unique<DXEffect>();
    GUARDED(D3DXCreateEffectPool(&effectPool));
    globalEffect->LoadEffect("global.fx", effectPool);
    globalEffect->SetTexture("NOISETEX", noiseTexture);
    ModuleHandler::Instance()->LoadAll();
    SceneHandler::Instance()->LoadAll();
    resourcesLoaded = true;
}

void DXFramework::StepLoaderBar() {
    if (resourcesLoaded) return;
    ++loadedItemCount;
    auto* loaderBar = dynamic_cast<LoaderBarModule*>(ModuleHandler::Instance()->Find("LoaderBar"));
    if (loaderBar == nullptr) return;
    loaderBar->SetTicks(static_cast<std::uint32_t>(static_cast<float>(loadedItemCount) * 1.6f));
    loaderBar->Update();
    GUARDED(g_pd3dDevice->BeginScene());
    ClearLetterbox();
    loaderBar->Render();
    GUARDED(g_pd3dDevice->EndScene());
    GUARDED(g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr));
}

void DXFramework::WarmUp() {
    warmingUp = true;
    ResetClock();
    for (const double time : kWarmUpTimes) {
        Timer::delta = 0.0;
        Timer::currentTime = Timer::previousTime = time;
        SceneHandler::Instance()->Update();
        GUARDED(g_pd3dDevice->BeginScene());
        ClearLetterbox();
        SceneHandler::Instance()->RenderCurrent();
        GUARDED(g_pd3dDevice->EndScene());
    }
    ResetClock();
    warmingUp = false;
}

void DXFramework::RenderFrame() {
    GUARDED(g_pd3dDevice->BeginScene());
    ClearLetterbox();
    SceneHandler::Instance()->RenderCurrent();
    GUARDED(g_pd3dDevice->EndScene());
    GUARDED(g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr));
}

void DXFramework::FrameLoop(const std::vector<std::unique_ptr<FrameSink>>& sinks) {
    const double fixedStepEnd = options.to.value_or(kDemoEnd);
    MSG msg{};
    do {
        if (Timer::currentTime >= kDemoEnd && !gameRequested) break;
        if (Timer::FixedStep() && Timer::NextStepTime() >= fixedStepEnd) break;
        if (deviceLost) {
            const HRESULT level = g_pd3dDevice->TestCooperativeLevel();
            if (level == D3DERR_DRIVERINTERNALERROR)
                throw FrameworkEx("Lost device: D3DERR_DRIVERINTERNALERROR");
            if (level == D3DERR_DEVICENOTRESET)
                ResetDevice();
            else if (level == D3D_OK)
                deviceLost = false; // usable again without a reset
            else
                Sleep(kLostDevicePollMs);
            continue;
        }
        if (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
            continue;
        }
        if (minimized) {
            Sleep(kLostDevicePollMs);
            continue;
        }
        if (gameRequested && !gameSwitchDone) SwitchToGame();
        Timer::Instance()->Update();
        SceneHandler::Instance()->Update();
        RenderFrame();
        for (const auto& sink : sinks)
            sink->Save(backBufferSurface, settings);
        KeyHandler::Instance()->EndFrame();
    } while (msg.message != WM_QUIT);
}

// Runs once: the show's scenes and modules go, and a registry "Scenes2" holding only the game's
// scene takes their place. Loading draws no loader bar, since resources count as loaded.
void DXFramework::SwitchToGame() {
    gameSwitchDone = true;
    sceneHandler->UnloadAll();
    moduleHandler->UnloadAll();
    sceneHandler.reset();
    moduleHandler.reset();
    moduleHandler = std::make_unique<ModuleHandler>();
    sceneHandler = std::make_unique<SceneHandler>("Scenes2");
    if (gameSceneFactory) sceneHandler->AddScene(gameSceneFactory());
    moduleHandler->LoadAll();
    sceneHandler->LoadAll();
}

void DXFramework::ResetDevice() {
    // Everything the device made goes before the reset; the device itself survives it.
    ReleaseDeviceResources();
    const HRESULT result = g_pd3dDevice->Reset(&presentParameters);
    if (FAILED(result))
        throw FrameworkEx(std::string("[DXFramework::ResetDevice] Resetting device failed: ") +
                          ErrorName(result));
    GUARDED(g_pd3dDevice->GetRenderTarget(0, &backBufferSurface));
    LoadDeviceResources();
    deviceLost = false;
}

void DXFramework::Shutdown() {
    BASSPlayer::Instance()->Pause();
    ReleaseDeviceObjects();
    if (window != nullptr) {
        destroying = true;
        DestroyWindow(window);
    }
    window = nullptr;
}
