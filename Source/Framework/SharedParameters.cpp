#include "Framework/SharedParameters.h"

void SharedParameters::TakeViewCamera(const Camera& camera) {
    activeCamera = &camera;
    view = camera.View();
    viewProjection = camera.ViewProjection();
    eyePosition = camera.Position();
    cameraRotation = camera.RotationMatrix();
    cameraProjection = camera.Projection();
}

void SharedParameters::TakeLightCamera(const Camera& light) {
    lightPosition = light.Position();
    lightViewProjection = light.ViewProjection();
    const D3DXVECTOR3 localZ(0.0f, 0.0f, 1.0f);
    D3DXVECTOR4 tip;
    D3DXVec3Transform(&tip, &localZ, &light.World());
    lightDirection = D3DXVECTOR3(tip.x, tip.y, tip.z) - lightPosition;
}
