#include "Modules/Water/WaterSurface.h"

#include <algorithm>
#include <cmath>

namespace WaterSurface {

namespace {

constexpr float kHitTimes[] = {90.0f,  90.38f,  98.0f,   102.0f, 102.37f,
                               106.0f, 106.38f, 106.76f, 110.0f, 110.75f};

// A flash of the given sharpness peaking at the hit.
float Flash(float tau, float hit, float power) {
    return 2.0f * std::pow(std::max(0.0f, 1.0f - std::fabs(tau - hit)) + 0.001f, power);
}

} // namespace

float BeatPulse(float demoTime) {
    float sum = 0.0f;
    for (const float hit : kHitTimes)
        sum += std::pow(std::max(0.0f, 1.0f - std::fabs(demoTime - hit)), 8.0f);
    return sum;
}

BackgroundScroll BackgroundScrollAt(float tau) {
    return {{0.125f * std::cos(0.1f * tau), -0.022f * tau, 0.0f},
            {0.006f * tau, 0.022f * tau, 0.0f},
            {-0.0062f * tau, -0.018f * tau, 0.0f}};
}

SurfaceParameters SurfaceParametersAt(float tau) {
    SurfaceParameters p{};
    p.fade1 = tau < 1.0f ? 1.0f + 0.5f * std::pow(1.0f - tau + 0.001f, 2.0f) : 1.0f;
    p.fade2 = 1.0f;
    if (tau > kBlendTime) {
        const float f = 1.0f - 2.0f * (kTunnelTime - tau);
        p.fade2 = std::clamp(1.0f - f * f, 0.0f, 1.0f);
    }

    const float flash = Flash(tau, 8.0f, 8.0f) + Flash(tau, 8.38f, 8.0f) + Flash(tau, 16.0f, 12.0f);
    float blue = 1.05f;
    if (tau < 13.0f)
        blue = 1.3f;
    else if (tau < 16.0f)
        blue = 1.3f - 0.25f * (tau - 13.0f) / 3.0f;
    p.colours[0] = 1.0f + flash;
    p.colours[1] = 1.1f * (1.0f + flash);
    p.colours[2] = blue * (1.0f + flash);

    float k = 1.0f;
    if (tau >= 0.0f && tau < 2.0f) k = 1.0f + 1.5f * std::pow(0.5f * (2.0f - tau) + 0.001f, 2.0f);
    const float a = 1.0f - k;
    const float shimmer = tau > 7.5f && tau < 17.0f
                              ? 0.02f * (1.0f - std::cos(6.28318f * (tau - 7.5f) / 9.5f))
                              : 0.0f;
    p.contrast[0] = 2.0f * a - 2.0f;
    p.contrast[1] = 3.0f - 3.0f * a;
    p.contrast[2] = a;
    p.contrast[3] = shimmer;
    return p;
}

D3DXMATRIX SurfaceViewProjection(float tau) {
    float height = -0.2f;
    if (tau < 2.0f) height = 0.18f * std::pow(0.5f * (2.0f - tau) + 0.001f, 2.0f) - 0.2f;
    float depth = -0.125f;
    if (tau < 2.75f) depth = -0.125f - 0.65f * std::pow((2.75f - tau) * 0.36363637f + 0.001f, 2.0f);
    depth += 0.01f * (std::cos(1.3f * tau) + std::sin(1.53f * tau) - std::cos(1.7f * tau) -
                      std::sin(1.17f * tau));
    if (tau > 13.0f) depth -= 0.015f * std::pow(tau - 13.0f + 0.001f, 1.5f);
    const float roll = -0.075f * std::cos(0.5f * tau);

    const D3DXVECTOR3 eye(0.0f, height, depth + 1.0f), at(0.0f, height, depth),
        up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, tilt, rolled, projection, result;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixRotationX(&tilt, -0.2f);
    D3DXMatrixRotationZ(&rolled, roll);
    D3DXMatrixMultiply(&view, &view, &tilt);
    D3DXMatrixMultiply(&view, &view, &rolled);
    D3DXMatrixPerspectiveFovRH(&projection, 1.5707964f, 1.0f, 0.1f, 100.0f);
    D3DXMatrixMultiply(&result, &view, &projection);
    return result;
}

} // namespace WaterSurface
