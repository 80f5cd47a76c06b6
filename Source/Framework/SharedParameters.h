// What a scene hands to every effect each frame, and what modules read of its camera: filled by
// the scene's Update, it keeps its values between frames. Matrices start as identities, so a
// field a scene never fills is harmless to send.
#pragma once

#include "Framework/Camera.h"
#include "Platform/D3DX9/D3DXMath.h"

struct SharedParameters {
    // View, view-projection, eye position, camera rotation, camera projection and the active
    // camera itself, from this camera.
    void TakeViewCamera(const Camera& camera);
    // Light position, light view-projection and light direction (the camera's local +z axis in
    // world space: it points back from where the light looks), from this camera.
    void TakeLightCamera(const Camera& light);

    D3DXVECTOR3 lightPosition;                            // "LIGHTPOS"
    D3DXVECTOR3 eyePosition;                              // "EYEPOS"
    D3DXVECTOR3 lightDirection;                           // "LIGHTDIR"
    D3DXVECTOR4 ambient;                                  // "AMBIENT"
    D3DXVECTOR4 diffuse;                                  // "DIFFUSE"
    D3DXMATRIX cameraRotation = IdentityMatrix();         // read by modules
    D3DXMATRIX view = IdentityMatrix();                   // "VIEW"
    D3DXMATRIX cameraProjection = IdentityMatrix();       // read by modules
    D3DXMATRIX viewProjection = IdentityMatrix();         // "VIEWPROJ"
    D3DXMATRIX previousViewProjection = IdentityMatrix(); // "OLDVIEWPROJ"
    D3DXMATRIX lightViewProjection = IdentityMatrix();    // "LIGHTVIEWPROJ"
    const Camera* activeCamera = nullptr;                 // not owned
};
