// Drawing 1,000 one-quad batches that share one effect, each running its own pass (Begin,
// BeginPass, stream binding, one indexed draw, EndPass, End), and the same batches with the
// fixed-function stand-in. The quads are 8 x 8 pixels, so the figure is the per-batch cost rather
// than the software rasteriser's fill rate.
#include "BenchData.h"
#include "Framework/DXFramework.h"
#include "Framework/RenderClasses/Quads.h"

#include <benchmark/benchmark.h>
#include <epoxy/gl.h>

#include <memory>
#include <vector>

namespace {

constexpr int kBatches = 1000;

class QuadScene {
public:
    // Call in the benchmark directory: the framework opens the data file at once.
    explicit QuadScene(bool withEffect) : framework("--nosetup", nullptr, "Lumenvale") {
        framework.OpenWindow();
        framework.CreateDevice();
        g_pd3dDevice->GetRenderTarget(0, &framework.backBufferSurface);
        framework.LoadDeviceResources();
        if (withEffect) {
            effect = std::make_unique<DXEffect>();
            effect->LoadEffect("LoaderBar.fx", nullptr);
        }
        const float pixel = 2.0f / 1280.0f;
        for (int i = 0; i < kBatches; ++i) {
            auto quads = std::make_unique<Quads>(1);
            if (withEffect) {
                quads->SetEffect(effect.get());
                quads->SetTechnique("Loader");
            }
            quads->Init();
            const float x = -1.0f + static_cast<float>(i % 100) * 10.0f * pixel;
            const float y = 0.9f - static_cast<float>(i / 100) * 18.0f * pixel;
            D3DXVECTOR3* corners = quads->LockPositions();
            corners[0] = {x, y, 0.5f};
            corners[1] = {x + 8 * pixel, y, 0.5f};
            corners[2] = {x + 8 * pixel, y - 14 * pixel, 0.5f};
            corners[3] = {x, y - 14 * pixel, 0.5f};
            quads->UnlockPositions();
            batches.push_back(std::move(quads));
        }
    }
    ~QuadScene() {
        batches.clear();
        effect.reset();
        framework.ReleaseDeviceObjects();
        framework.destroying = true;
        DestroyWindow(framework.window);
        framework.window = nullptr;
    }

    void DrawAll() {
        for (auto& quads : batches)
            quads->DrawAll();
        // Waits for the rasteriser, so that the time is the whole frame's.
        glFinish();
    }

private:
    DXFramework framework;
    std::unique_ptr<DXEffect> effect;
    std::vector<std::unique_ptr<Quads>> batches;
};

void BM_ThousandOneQuadBatchesThroughEffects(benchmark::State& state) {
    EnterBenchDirectory();
    QuadScene scene(true);
    for (auto _ : state)
        scene.DrawAll();
    state.SetItemsProcessed(state.iterations() * kBatches);
}
BENCHMARK(BM_ThousandOneQuadBatchesThroughEffects)->Unit(benchmark::kMillisecond);

void BM_ThousandOneQuadBatchesFixedFunction(benchmark::State& state) {
    EnterBenchDirectory();
    QuadScene scene(false);
    for (auto _ : state)
        scene.DrawAll();
    state.SetItemsProcessed(state.iterations() * kBatches);
}
BENCHMARK(BM_ThousandOneQuadBatchesFixedFunction)->Unit(benchmark::kMillisecond);

} // namespace
