// Start-up to the first cleared frame: framework, window, device, depth surfaces and the first
// letterboxed frame presented, then the teardown, on whatever GL the machine has.
#include "Framework/DXFramework.h"

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

void BM_LetterboxedFrame(benchmark::State& state) {
    DXFramework framework("--nosetup", nullptr, "Lumenvale");
    FirstClearedFrame(framework);
    for (auto _ : state) {
        g_pd3dDevice->BeginScene();
        framework.ClearLetterbox();
        g_pd3dDevice->EndScene();
        g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr);
    }
    Shutdown(framework);
}
BENCHMARK(BM_LetterboxedFrame)->Unit(benchmark::kMillisecond);

} // namespace
