#include "Framework/Scene.h"

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
