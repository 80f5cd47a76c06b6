#include "Modules/Water/TunnelPath.h"

#include <algorithm>
#include <cmath>

namespace TunnelPath {

namespace {

// bevelcube.x has an edge of 1; scaled by (10, 16, 10) it must still fit a tube of radius 1.
// The fog is the grey that the colour target is cleared to.
constexpr float kFogGrey = static_cast<float>(TunnelPath::kClearGrey) / 255.0f;
constexpr float kCubeUnit = 0.03f;
constexpr float kCubeFarDepth = -7.0f;
constexpr float kCubeNearDepth = 1.2f; // behind the camera: the cube passes it

float SmoothStep(float edge0, float edge1, float x) {
    const float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

} // namespace

TunnelCamera CameraAt(float u, float aspect) {
    TunnelCamera camera{};
    camera.eye = D3DXVECTOR3(0.12f * std::sin(0.31f * u), 0.09f * std::sin(0.23f * u + 1.0f), 0.3f);
    const D3DXVECTOR3 at(0.25f * std::sin(0.19f * u + 0.5f), 0.2f * std::cos(0.17f * u), -6.0f);
    const float lean = 0.35f * std::sin(0.12f * u);
    const D3DXVECTOR3 up(std::sin(lean), std::cos(lean), 0.0f);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtRH(&view, &camera.eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, 1.25f, aspect, 0.1f, 100.0f);
    D3DXMatrixMultiply(&camera.viewProjection, &view, &projection);
    return camera;
}

WallParameters WallParametersAt(float u) {
    WallParameters p{};
    // Whole at the far end, so the tube melts into the clear colour behind it; deeper at the end.
    p.fogFade = 0.94f + 0.06f * SmoothStep(13.0f, 15.5f, u);
    p.fogFadeWater = 0.35f + 0.65f * SmoothStep(0.5f, 4.0f, u);
    for (float& channel : p.fogColour)
        channel = kFogGrey;
    p.scrollUV[0] = 0.02f * u + 0.03f * std::sin(0.2f * u);
    p.scrollUV[1] = -0.3f * u - 0.004f * u * u;
    p.fade = u < 2.5f ? 0.5f * (1.0f - std::cos(0.4f * 3.14159f * u)) : 1.0f;
    return p;
}

bool UsesSecondTechnique(float u) {
    return u >= kCubeStart;
}

bool CubeVisible(float u) {
    return u >= kCubeStart && u <= kCubeEnd;
}

CubePlacement CubeAt(float u) {
    CubePlacement cube{};
    const float p = std::clamp((u - kCubeStart) / (kCubeEnd - kCubeStart), 0.0f, 1.0f);
    const float depth = kCubeFarDepth + (kCubeNearDepth - kCubeFarDepth) * p;
    cube.position =
        D3DXVECTOR3(0.15f * std::sin(2.1f * p), 0.1f * std::cos(1.7f * p) - 0.1f, depth);
    D3DXMATRIX scale, spinX, spinY, move;
    D3DXMatrixScaling(&scale, 10.0f * kCubeUnit, 16.0f * kCubeUnit, 10.0f * kCubeUnit);
    D3DXMatrixRotationX(&spinX, 1.3f * u);
    D3DXMatrixRotationY(&spinY, 0.9f * u);
    D3DXMatrixTranslation(&move, cube.position.x, cube.position.y, cube.position.z);
    D3DXMatrixMultiply(&cube.world, &scale, &spinX);
    D3DXMatrixMultiply(&cube.world, &cube.world, &spinY);
    D3DXMatrixMultiply(&cube.world, &cube.world, &move);
    cube.fog = SmoothStep(-1.0f, kCubeFarDepth - 1.0f, depth);
    return cube;
}

} // namespace TunnelPath
