// The water phase as functions of the time: the beat pulse of the soundtrack's hits, the
// background's scroll offsets, the surface effect's parameters and the surface camera. tau is the
// water time, the demo time less 82 seconds.
#pragma once

#include "Platform/D3DX9/D3DXMath.h"

namespace WaterSurface {

constexpr float kStartTime = 82.0f;
// The tunnel takes over at this water time; the surface blends out during the last half second.
constexpr float kTunnelTime = 16.5f;
constexpr float kBlendTime = 16.0f;

// Sum over the hits of max(0, 1 - |t - hit|)^8, t in demo seconds.
float BeatPulse(float demoTime);

struct BackgroundScroll {
    float uv1[3];
    float uv2[3];
    float uv3[3];
};
BackgroundScroll BackgroundScrollAt(float tau);

struct SurfaceParameters {
    float fade1;
    float fade2;
    float colours[3];
    float contrast[4];
};
SurfaceParameters SurfaceParametersAt(float tau);

// The surface camera's view x projection (row-vector order).
D3DXMATRIX SurfaceViewProjection(float tau);

} // namespace WaterSurface
