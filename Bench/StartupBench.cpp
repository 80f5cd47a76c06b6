// Start-up to the first cleared frame (framework, window, device, depth surfaces and the first
// letterboxed frame presented) and one frame of the loop with an empty scene, on whatever GL the
// machine has. Both run in a working directory whose data file has no timeline.
#include "BenchData.h"
#include "Framework/DXFramework.h"
#include "Framework/KeyHandler.h"
#include "Framework/SceneHandler.h"
#include "Framework/Timer.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

void FirstClearedFrame(DXFramework& framework) {
    framework.OpenWindow();
    framework.CreateDevice();
    g_pd3dDevice->GetRenderTarget(0, &framework.backBufferSurface);
    framework.LoadDeviceResources();
    g_pd3dDevice->BeginScene();
    framework.ClearLetterbox();
    g_pd3dDevice->EndScene();
    g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr);
}

void Shutdown(DXFramework& framework) {
    framework.ReleaseDeviceObjects();
    framework.destroying = true;
    DestroyWindow(framework.window);
    framework.window = nullptr;
}

void BM_StartupToFirstClearedFrame(benchmark::State& state) {
    EnterBenchDirectory();
    for (auto _ : state) {
        auto framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
        FirstClearedFrame(*framework);
        state.PauseTiming();
        Shutdown(*framework);
        framework.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartupToFirstClearedFrame)->Unit(benchmark::kMillisecond);

// What the frame loop does per frame: clock, scene update, letterboxed render and present.
void BM_LoopFrameWithEmptyScene(benchmark::State& state) {
    EnterBenchDirectory();
    DXFramework framework("--nosetup", nullptr, "Lumenvale");
    SceneHandler::Instance()->AddScene(new Scene("Empty"));
    FirstClearedFrame(framework);
    Timer::UseFixedStep(0.0, 60.0);
    for (auto _ : state) {
        Timer::Instance()->Update();
        SceneHandler::Instance()->Update();
        framework.RenderFrame();
        KeyHandler::Instance()->EndFrame();
    }
    Shutdown(framework);
}
BENCHMARK(BM_LoopFrameWithEmptyScene)->Unit(benchmark::kMillisecond);

} // namespace
