#include "Modules/LoaderBar/LoaderBar.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Modules\\LoaderBar\\LoaderBar";
constexpr std::uint32_t kFullTicks = 255;

} // namespace

void LoaderBar::Load() {
    quads = std::make_unique<Quads>(1);
    quads->LoadEffect("LoaderBar.fx", nullptr);
    quads->SetTechnique("Loader");
    quads->Init();
    if (quads->PositionBuffer() == nullptr) return; // the device is lost
    void* data = nullptr;
    GUARDED(quads->PositionBuffer()->Lock(0, 48, &data, D3DLOCK_DISCARD));
    auto* positions = static_cast<D3DXVECTOR3*>(data);
    positions[0] = {-0.45f, 0.8f, 0.0f};
    positions[1] = {0.45f, 0.8f, 0.0f};
    positions[2] = {0.45f, -0.8f, 0.0f};
    positions[3] = {-0.45f, -0.8f, 0.0f};
    GUARDED(quads->PositionBuffer()->Unlock());
    // The effect reads the quad as -1..1 in both directions.
    GUARDED(quads->TexCoordBuffer()->Lock(0, 0, &data, D3DLOCK_DISCARD));
    auto* texCoords = static_cast<D3DXVECTOR2*>(data);
    texCoords[0] = {-1.0f, -1.0f};
    texCoords[1] = {1.0f, -1.0f};
    texCoords[2] = {1.0f, 1.0f};
    texCoords[3] = {-1.0f, 1.0f};
    GUARDED(quads->TexCoordBuffer()->Unlock());
}

void LoaderBar::Unload() {
    quads.reset();
}

void LoaderBar::Render() {
    if (!quads) return;
    const D3DXVECTOR3 eye(0.0f, 0.0f, 1.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, projection, viewProjection;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, 1.5707964f, 1.0f, 0.1f, 100.0f);
    D3DXMatrixMultiply(&viewProjection, &view, &projection);
    DXEffect* effect = quads->Effect();
    effect->SetMatrix("VIEWPROJ", viewProjection);

    DXFramework* framework = DXFramework::Instance();
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(framework->sharedDepthSurface));
    GUARDED(g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface));
    framework->SetPictureViewport();
    GUARDED(
        g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0));
    if (ticks > kFullTicks) ticks = kFullTicks;
    effect->SetFloat("TICKS", static_cast<float>(ticks));
    quads->Draw(0, quads->Capacity());
}
