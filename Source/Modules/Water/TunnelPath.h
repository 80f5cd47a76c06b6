// The tunnel phase as smooth functions of the tunnel time u (water time less 16.5 seconds): the
// camera gliding down the tube, the fog, the walls' texture scroll, the fade-in and the bevelled
// cube that flies through between u = 11.5 and 14.65.
#pragma once

#include "Platform/D3DX9/D3DXMath.h"

namespace TunnelPath {

constexpr float kCubeStart = 11.5f;
constexpr float kCubeEnd = 14.65f;
// The grey level of the colour target's clear, seen only through the tube's far end. Black: the
// walls' fog, contrast curve and fade all keep black, so the end melts into it at any time.
constexpr unsigned kClearGrey = 0;

struct TunnelCamera {
    D3DXVECTOR3 eye;
    D3DXMATRIX viewProjection;
};
// aspect is the colour target's width over its height.
TunnelCamera CameraAt(float u, float aspect);

struct WallParameters {
    float fogFade;      // how far the fog reaches into the tube
    float fogFadeWater; // how strongly the liquid shows on the walls
    float fogColour[3];
    float scrollUV[2];
    float fade; // in from black over the first 2.5 seconds
};
WallParameters WallParametersAt(float u);

// The second tunnel technique takes over when the cube appears.
bool UsesSecondTechnique(float u);
bool CubeVisible(float u);

struct CubePlacement {
    D3DXMATRIX world; // scale, rotation, then position in the tube
    D3DXVECTOR3 position;
    float fog;
};
CubePlacement CubeAt(float u);

} // namespace TunnelPath
