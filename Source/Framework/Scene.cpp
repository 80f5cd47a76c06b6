#include "Framework/Scene.h"

#include "Framework/DXEffect.h"
#include "Framework/DXFramework.h"
#include "Framework/Timer.h"

#include <array>

namespace {

std::array<float, 3> Components(const D3DXVECTOR3& v) {
    return {v.x, v.y, v.z};
}
std::array<float, 4> Components(const D3DXVECTOR4& v) {
    return {v.x, v.y, v.z, v.w};
}

} // namespace

void Scene::UpdateViewCameras(float t) {
    viewCameras.Update(t);
    if (const Camera* active = viewCameras.Active()) shared.TakeViewCamera(*active);
}

void Scene::UpdateViewCamerasWithPreviousFrame(float t, float interval) {
    Camera* const before = viewCameras.Active();
    if (before != nullptr) {
        before->Update(t - interval);
        shared.previousViewProjection = before->ViewProjection();
    }
    UpdateViewCameras(t);
    if (before == nullptr) shared.previousViewProjection = shared.viewProjection;
}

void Scene::UpdateLightCameras(float t) {
    lightCameras.Update(t);
    if (const Camera* light = lightCameras.Active()) shared.TakeLightCamera(*light);
}

void Scene::SetSharedParameters() {
    const DXFramework* framework = DXFramework::Instance();
    if (framework == nullptr || !framework->globalEffect) return;
    DXEffect& global = *framework->globalEffect;
    ID3DXEffect* effect = global.Effect();
    if (effect == nullptr) return;
    effect->SetMatrix(global.GetHandle("VIEW"), &shared.view);
    effect->SetMatrix(global.GetHandle("VIEWPROJ"), &shared.viewProjection);
    effect->SetMatrix(global.GetHandle("OLDVIEWPROJ"), &shared.previousViewProjection);
    effect->SetFloatArray(global.GetHandle("EYEPOS"), Components(shared.eyePosition).data(), 3);
    effect->SetFloatArray(global.GetHandle("LIGHTPOS"), Components(shared.lightPosition).data(), 3);
    effect->SetFloatArray(global.GetHandle("LIGHTDIR"), Components(shared.lightDirection).data(),
                          3);
    effect->SetFloatArray(global.GetHandle("AMBIENT"), Components(shared.ambient).data(), 4);
    effect->SetFloatArray(global.GetHandle("DIFFUSE"), Components(shared.diffuse).data(), 4);
    effect->SetFloat(global.GetHandle("TIME"), static_cast<float>(Timer::currentTime));
    effect->SetMatrix(global.GetHandle("LIGHTVIEWPROJ"), &shared.lightViewProjection);
}
