#include "Modules/PostEffects/PostTargets.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Modules\\PostEffects\\PostEffects";

} // namespace

void BindPostTarget(const RTRecord& target) {
    GUARDED(g_pd3dDevice->SetRenderTarget(0, target.surface));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(DXFramework::Instance()->plainDepthSurface));
}

SavedRenderTarget::SavedRenderTarget() {
    g_pd3dDevice->GetRenderTarget(0, &target);
    g_pd3dDevice->GetViewport(&viewport);
}

SavedRenderTarget::~SavedRenderTarget() {
    ReleaseAndClear(target);
}

void SavedRenderTarget::Restore() {
    if (target == nullptr) return;
    // Setting the target resets the viewport to its whole size, so the viewport goes back last.
    GUARDED(g_pd3dDevice->SetRenderTarget(0, target));
    GUARDED(g_pd3dDevice->SetViewport(&viewport));
    ReleaseAndClear(target);
}
