// Per-draw parameter setting through DXEffect inside a running pass: by semantic (the handle
// cache's map lookup and the value write) and by handle, each followed by the CommitChanges that
// uploads what changed, and the commit alone with nothing changed.
#include "BenchData.h"
#include "Framework/DXEffect.h"
#include "Framework/DXFramework.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

constexpr const char* kEffect = R"(
float Scale : SCALE = 1;
float4x4 World : WORLD;
float4 Tint : TINT;
vertex VS(float3 pos : POSITION) { gl_Position = World * vec4(pos * Scale, 1.0); }
fragment PS(out float4 c : COLOR0) { c = Tint; }
technique Draw { pass P { VertexShader = VS; PixelShader = PS; } }
)";

// A framework with a device and the effect running its pass.
class RunningEffect {
public:
    RunningEffect() {
        EnterBenchDirectory({{"OShaders\\Bench.fxo", kEffect}});
        framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
        framework->OpenWindow();
        framework->CreateDevice();
        g_pd3dDevice->GetRenderTarget(0, &framework->backBufferSurface);
        framework->LoadDeviceResources();
        effect.LoadEffect("Bench.fx", framework->effectPool);
        effect.SetTechnique("Draw");
        UINT passes = 0;
        effect.Effect()->Begin(&passes, 0);
        effect.Effect()->BeginPass(0);
    }
    ~RunningEffect() {
        effect.Effect()->EndPass();
        effect.Effect()->End();
        effect.Release();
        framework->ReleaseDeviceObjects();
        framework->destroying = true;
        DestroyWindow(framework->window);
    }
    RunningEffect(const RunningEffect&) = delete;
    RunningEffect& operator=(const RunningEffect&) = delete;

    std::unique_ptr<DXFramework> framework;
    DXEffect effect;
};

void BM_SetBySemanticAndCommit(benchmark::State& state) {
    RunningEffect running;
    D3DXMATRIX world = IdentityMatrix();
    float scale = 1.0f;
    for (auto _ : state) {
        scale += 1.0f;
        world.m[3][0] = scale;
        running.effect.SetFloat("SCALE", scale);
        running.effect.SetMatrix("WORLD", world);
        running.effect.Effect()->CommitChanges();
    }
}
BENCHMARK(BM_SetBySemanticAndCommit);

void BM_SetByHandleAndCommit(benchmark::State& state) {
    RunningEffect running;
    const D3DXHANDLE scaleHandle = running.effect.GetHandle("SCALE");
    const D3DXHANDLE worldHandle = running.effect.GetHandle("WORLD");
    D3DXMATRIX world = IdentityMatrix();
    float scale = 1.0f;
    for (auto _ : state) {
        scale += 1.0f;
        world.m[3][0] = scale;
        running.effect.SetFloatByHandle(scaleHandle, scale);
        running.effect.SetMatrixByHandle(worldHandle, world);
        running.effect.Effect()->CommitChanges();
    }
}
BENCHMARK(BM_SetByHandleAndCommit);

void BM_SetBySemanticWithoutCommit(benchmark::State& state) {
    RunningEffect running;
    D3DXMATRIX world = IdentityMatrix();
    float scale = 1.0f;
    for (auto _ : state) {
        scale += 1.0f;
        world.m[3][0] = scale;
        running.effect.SetFloat("SCALE", scale);
        running.effect.SetMatrix("WORLD", world);
    }
}
BENCHMARK(BM_SetBySemanticWithoutCommit);

void BM_CommitWithNothingChanged(benchmark::State& state) {
    RunningEffect running;
    for (auto _ : state)
        running.effect.Effect()->CommitChanges();
}
BENCHMARK(BM_CommitWithNothingChanged);

} // namespace
