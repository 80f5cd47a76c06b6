#include "Framework/Camera.h"

#include "Framework/Noise.h"
#include "Framework/Timer.h"

#include <utility>

namespace {

CurveHandle Smooth(const std::string& cameraName, const char* channel) {
    return CurveHandle(cameraName + channel, CurveKind::Smooth);
}

} // namespace

Camera::Camera(std::string cameraName)
    : name(std::move(cameraName)), curves{Smooth(name, ".translateX"),
                                          Smooth(name, ".translateY"),
                                          Smooth(name, ".translateZ"),
                                          Smooth(name, ".rotateX"),
                                          Smooth(name, ".rotateY"),
                                          Smooth(name, ".rotateZ"),
                                          Smooth(name, ".shake"),
                                          CurveHandle(name + ".visibility", CurveKind::Step)} {
    for (CurveHandle& curve : curves)
        curve.Load();
    SetProjection(fieldOfView, nearPlane, farPlane, aspect);
}

void Camera::SetProjection(float newFieldOfView, float newNearPlane, float newFarPlane,
                           float newAspect) {
    fieldOfView = newFieldOfView;
    nearPlane = newNearPlane;
    farPlane = newFarPlane;
    aspect = newAspect;
    D3DXMatrixPerspectiveFovRH(&projection, fieldOfView, 1.0f / aspect, nearPlane, farPlane);
}

void Camera::Update(float t) {
    visible = curves[visibility].Sample(t) > 0.0f;
    if (!visible) return;

    const float strength = curves[shake].Evaluate(t);
    const D3DXVECTOR3 translate(curves[translateX].Evaluate(t), curves[translateY].Evaluate(t),
                                curves[translateZ].Evaluate(t));
    rotation = D3DXVECTOR3(curves[rotateX].Evaluate(t), curves[rotateY].Evaluate(t),
                           curves[rotateZ].Evaluate(t));
    position = strength > 0.0f ? translate + ShakeOffset(strength) : translate;

    D3DXMATRIX aboutY;
    D3DXMATRIX aboutZ;
    D3DXMatrixRotationX(&rotationMatrix, rotation.x);
    D3DXMatrixRotationY(&aboutY, rotation.y);
    D3DXMatrixRotationZ(&aboutZ, rotation.z);
    D3DXMatrixMultiply(&rotationMatrix, &rotationMatrix, &aboutY);
    D3DXMatrixMultiply(&rotationMatrix, &rotationMatrix, &aboutZ);

    // The view undoes the placement: move back, then turn back (a rotation's inverse is its
    // transpose).
    D3DXMATRIX moveBack;
    D3DXMATRIX turnBack;
    D3DXMatrixTranslation(&moveBack, -position.x, -position.y, -position.z);
    D3DXMatrixTranspose(&turnBack, &rotationMatrix);
    D3DXMatrixMultiply(&view, &moveBack, &turnBack);

    D3DXMATRIX move;
    D3DXMatrixTranslation(&move, position.x, position.y, position.z);
    D3DXMatrixMultiply(&world, &rotationMatrix, &move);

    previousViewProjection = viewProjection;
    D3DXMatrixMultiply(&viewProjection, &view, &projection);
}

D3DXVECTOR3 Camera::ShakeOffset(float strength) const {
    const auto s = static_cast<float>(Timer::currentTime * 8.0);
    return D3DXVECTOR3(PerlinNoise1D(s, 2.0f, 2.0f, 5),
                       PerlinNoise1D(1.2f * s + 0.3f, 2.5f, 1.8f, 5),
                       PerlinNoise1D(1.3f * s + 0.54f, 2.9f, 1.7f, 5)) *
           strength;
}
