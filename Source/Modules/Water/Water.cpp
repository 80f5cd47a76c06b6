#include "Modules/Water/Water.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/Timer.h"
#include "Modules/Water/WaterSource.h"
#include "Modules/Water/WaterSurface.h"

namespace {

const D3DXVECTOR3 kFullTargetCorners[4] = {
    {-1.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}, {-1.0f, -1.0f, 0.0f}};

// A batch of one quad over the whole target with its own effect from the pool.
std::unique_ptr<Quads> LoadQuad(const char* effectName, const char* technique) {
    auto batch = std::make_unique<Quads>(1);
    batch->LoadEffect(effectName, DXFramework::Instance()->effectPool);
    batch->Init();
    batch->SetTechnique(technique);
    if (D3DXVECTOR3* corners = batch->LockPositions()) {
        for (int corner = 0; corner < 4; ++corner)
            corners[corner] = kFullTargetCorners[corner];
        batch->UnlockPositions();
    }
    DXFramework::Instance()->StepLoaderBar();
    return batch;
}

} // namespace

Water::~Water() {
    Unload();
}

void Water::Load() {
    DXFramework* framework = DXFramework::Instance();
    surfaceQuad = LoadQuad("Water.fx", "WaterOpaque");
    passQuad = LoadQuad("WaterNormals.fx", "techniqueWaterBackground");
    blobEffect = std::make_unique<DXEffect>();
    blobEffect->LoadEffect("WaterNormals.fx", framework->effectPool);
    blobEffect->SetTechnique("techniqueWaterAddBlob");
    blobs.Create();
    framework->StepLoaderBar();
    tunnelWaterNormalsQuad = LoadQuad("TunnelWaterNormals.fx", "techniqueTunnelWaterInitialComp");
    tunnelWaterQuad = LoadQuad("TunnelWater.fx", "techniqueTunnelWaterFinalComp");
    tubeEffect = std::make_unique<DXEffect>();
    tubeEffect->LoadEffect("Tunnel.fx", framework->effectPool);
    tubeEffect->SetTechnique("techniqueTunnel");
    tube.Create();
    framework->StepLoaderBar();
    cube = std::make_unique<DXMesh>();
    cube->LoadX("Data\\bevelcube.x", false);
    cube->LoadEffect("WaterCube.fx", framework->effectPool);
    cube->techniqueName = "Cube";
    framework->StepLoaderBar();
}

// Effects and meshes are device objects, and the module outlives the device.
void Water::Unload() {
    cube.reset();
    tube.Release();
    tubeEffect.reset();
    tunnelWaterQuad.reset();
    tunnelWaterNormalsQuad.reset();
    blobs.Release();
    blobEffect.reset();
    passQuad.reset();
    surfaceQuad.reset();
}

void Water::Render(const Targets& targets) {
    if (!surfaceQuad) return; // not loaded
    const auto demoTime = static_cast<float>(Timer::currentTime);
    // Shared through the pool: every pass of the frame, not only the last, sees this frame's.
    surfaceQuad->Effect()->SetFloat("TIME", demoTime);
    const float tau = demoTime - WaterSurface::kStartTime;
    if (tau < WaterSurface::kTunnelTime)
        RenderWater(targets, tau);
    else
        RenderTunnel(targets, tau - WaterSurface::kTunnelTime);
}

void Water::DrawPass(Quads& batch, const char* technique, const RTRecord& target) {
    BindTarget(target);
    batch.SetTechnique(technique);
    batch.DrawAll();
}

void Water::BindTarget(const RTRecord& target) {
    GUARDED(g_pd3dDevice->SetRenderTarget(0, target.surface));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(DXFramework::Instance()->plainDepthSurface));
}

void Water::BindBackBuffer() {
    DXFramework* framework = DXFramework::Instance();
    GUARDED(g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(framework->sharedDepthSurface));
    framework->SetPictureViewport();
}
