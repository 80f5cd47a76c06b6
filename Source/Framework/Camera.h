// A view driven by curves: position and rotation from smooth curves named after the camera, a
// step curve that switches it on and off, and a noise shake whose strength is a curve too.
#pragma once

#include "Framework/Curves/CurveHandle.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <array>
#include <string>

class Camera {
public:
    static constexpr float defaultFieldOfView = 0.7853982f;
    static constexpr float defaultAspect = 0.5625f; // height / width: 16:9
    static constexpr float defaultNearPlane = 0.1f;
    static constexpr float defaultFarPlane = 100.0f;

    // Loads the curves name + ".translateX" ... ".rotateZ", ".shake" and ".visibility" at once,
    // through FileSys, which must exist. Every matrix but the projection starts as identity.
    explicit Camera(std::string cameraName);

    // aspect is height / width; the projection takes its inverse.
    void SetProjection(float fieldOfView, float nearPlane, float farPlane, float aspect);
    // Evaluates the curves at t and rebuilds the matrices, unless the camera is invisible at t:
    // then everything keeps its last values. The shake follows the frame clock, not t.
    void Update(float t);

    const std::string& Name() const { return name; }
    bool Visible() const { return visible; }
    float FieldOfView() const { return fieldOfView; }
    float NearPlane() const { return nearPlane; }
    float FarPlane() const { return farPlane; }
    float Aspect() const { return aspect; }
    const D3DXVECTOR3& Position() const { return position; }
    const D3DXVECTOR3& Rotation() const { return rotation; }
    const D3DXMATRIX& RotationMatrix() const { return rotationMatrix; }
    const D3DXMATRIX& Projection() const { return projection; }
    const D3DXMATRIX& View() const { return view; }
    const D3DXMATRIX& World() const { return world; }
    const D3DXMATRIX& ViewProjection() const { return viewProjection; }
    const D3DXMATRIX& PreviousViewProjection() const { return previousViewProjection; }

private:
    enum Channel : unsigned {
        translateX,
        translateY,
        translateZ,
        rotateX,
        rotateY,
        rotateZ,
        shake,
        visibility,
        channelCount
    };

    D3DXVECTOR3 ShakeOffset(float strength) const;

    std::string name;
    std::array<CurveHandle, channelCount> curves;
    float fieldOfView = defaultFieldOfView;
    float nearPlane = defaultNearPlane;
    float farPlane = defaultFarPlane;
    float aspect = defaultAspect;
    D3DXVECTOR3 position;
    D3DXVECTOR3 rotation;
    D3DXMATRIX rotationMatrix = IdentityMatrix();
    D3DXMATRIX projection = IdentityMatrix();
    D3DXMATRIX view = IdentityMatrix();
    D3DXMATRIX world = IdentityMatrix();
    D3DXMATRIX viewProjection = IdentityMatrix();
    D3DXMATRIX previousViewProjection = IdentityMatrix();
    bool visible = false;
};
