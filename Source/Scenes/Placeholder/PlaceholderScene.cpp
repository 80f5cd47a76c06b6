#include "Scenes/Placeholder/PlaceholderScene.h"

#include "Framework/DXFramework.h"
#include "Framework/Timer.h"

#include <cmath>

namespace {

constexpr double kBeatSeconds = 0.5; // 120 beats per minute

DWORD Scale(D3DCOLOR colour, int shift, float brightness) {
    return static_cast<DWORD>(static_cast<float>((colour >> shift) & 0xFF) * brightness);
}

} // namespace

void PlaceholderScene::Render() {
    // Bright on each beat, fading until the next one.
    const double beatPhase = std::fmod(Timer::currentTime / kBeatSeconds, 1.0);
    const float brightness = 0.7f + 0.3f * static_cast<float>(1.0 - beatPhase);
    DXFramework::Instance()->SetPictureViewport();
    g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET,
                        D3DCOLOR_ARGB(255, Scale(colour, 16, brightness),
                                      Scale(colour, 8, brightness), Scale(colour, 0, brightness)),
                        1.0f, 0);
}
