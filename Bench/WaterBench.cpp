// The water scene's per-frame cost at a 640 x 360 picture on whatever GL the machine has: the
// CPU's share (placing the 300 blobs, rebuilding the tube) and whole frames of the surface, the
// tunnel and the tunnel with the cube. An occlusion query around each frame waits for the GL.
#include "BenchData.h"
#include "Framework/DXFramework.h"
#include "Framework/ModuleHandler.h"
#include "Framework/Timer.h"
#include "Modules/PostEffects/PostEffects.h"
#include "Modules/Water/BlobLayout.h"
#include "Modules/Water/BlobTargets.h"
#include "Modules/Water/TubeGeometry.h"
#include "Scenes/WaterScene/WaterScene.h"

#include <benchmark/benchmark.h>

#include <array>
#include <fstream>
#include <iterator>
#include <memory>

namespace {

void BM_BlobPlacement(benchmark::State& state) {
    std::array<D3DXVECTOR3, 4 * WaterBlobs::kBlobCount> corners;
    float tau = 5.0f;
    for (auto _ : state) {
        WaterBlobs::WriteBlobCorners(tau, 0.3f, corners.data());
        benchmark::DoNotOptimize(corners.data());
        tau += 0.033f;
    }
}
BENCHMARK(BM_BlobPlacement)->Unit(benchmark::kMicrosecond);

void BM_TubeRebuild(benchmark::State& state) {
    TubeGeometry tube;
    float u = 3.0f;
    for (auto _ : state) {
        tube.Rebuild(u);
        benchmark::DoNotOptimize(tube.Positions().data());
        u += 0.033f;
    }
}
BENCHMARK(BM_TubeRebuild)->Unit(benchmark::kMicrosecond);

std::string ReadGenerated(const char* path) {
    std::ifstream in(std::string(LUMENVALE_GENERATED_ROOT) + path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void BM_WaterFrame(benchmark::State& state) {
    EnterBenchDirectory({{"Data\\bevelcube.x", ReadGenerated("/Data/bevelcube.x")}});
    auto framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
    framework->settings.screenWidth = 640;
    framework->settings.screenHeight = 360;
    framework->settings.pictureWidth = 640;
    framework->settings.pictureHeight = 360;
    framework->OpenWindow();
    framework->CreateDevice();
    g_pd3dDevice->GetRenderTarget(0, &framework->backBufferSurface);
    framework->LoadDeviceResources();
    ModuleHandler::Instance()->Add(new PostEffects("PostFX"));
    auto scene = std::make_unique<WaterScene>("WaterScene");
    ModuleHandler::Instance()->Find("PostFX")->Load();
    ModuleHandler::Instance()->Find("Water")->Load();
    scene->Enter();
    IDirect3DQuery9* query = nullptr;
    g_pd3dDevice->CreateQuery(D3DQUERYTYPE_OCCLUSION, &query);

    const double start = static_cast<double>(state.range(0));
    auto frame = [&](double time) {
        Timer::currentTime = time;
        query->Issue(D3DISSUE_BEGIN);
        g_pd3dDevice->BeginScene();
        framework->ClearLetterbox();
        scene->Render();
        g_pd3dDevice->EndScene();
        query->Issue(D3DISSUE_END);
        DWORD samples = 0;
        while (query->GetData(&samples, sizeof(samples), D3DGETDATA_FLUSH) == S_FALSE) {
        }
        benchmark::DoNotOptimize(samples);
    };
    frame(start); // the GL compiles its shader variants on first use
    double time = start;
    for (auto _ : state) {
        frame(time);
        time = time < start + 1.0 ? time + 1.0 / 30.0 : start;
    }

    query->Release();
    scene->Leave();
    scene.reset();
    framework->ReleaseDeviceObjects();
    framework->destroying = true;
    DestroyWindow(framework->window);
    framework.reset();
    Timer::currentTime = 0.0;
}
// The surface at 90 s, the tunnel at 105 s, the tunnel with the cube at 112 s.
BENCHMARK(BM_WaterFrame)
    ->ArgName("second")
    ->Arg(90)
    ->Arg(105)
    ->Arg(112)
    ->Unit(benchmark::kMillisecond);

} // namespace
