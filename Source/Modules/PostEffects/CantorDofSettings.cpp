#include "Modules/PostEffects/CantorDofSettings.h"

namespace {

float Square(float x) {
    return x * x;
}

// The blur flashes on the music's hits; later windows override earlier ones.
float FlashAt(float t) {
    float w = 0.0f;
    if (t > 255.8f && t <= 256.0f) w = (t - 255.8f) * 4.0f;
    if (t > 256.0f && t <= 257.0f) w = 257.0f - t;
    if (t > 240.0f && t <= 240.1f) w = Square((t - 240.0f) * 10.0f) * 0.3f;
    if (t > 240.1f && t <= 243.1f) w = Square((243.1f - t) * 0.3333f) * 0.3f;
    // The rise is measured from 247.9 although the window opens at 247.8.
    if (t > 247.8f && t <= 248.0f) w = Square((t - 247.9f) * 10.0f) * 0.6f;
    if (t > 248.0f && t <= 251.0f) w = Square((251.0f - t) * 0.3333f) * 0.6f;
    return w;
}

void SetColour(float (&colour)[3], float red, float green, float blue) {
    colour[0] = red;
    colour[1] = green;
    colour[2] = blue;
}

void SetExplosionColours(float t, CantorDofSettings& settings) {
    if (t > 270.0f && t <= 271.0f) {
        const float s = t - 270.0f, r = 1.0f - s;
        SetColour(settings.colour1, 1.25f * s + r, 1.3f * s + r, 1.45f * s + r);
        SetColour(settings.colour2, 1.3f * s + r, 1.1f * s + r, 1.35f * s + r);
    } else if (t > 271.0f && t <= 272.0f) {
        const float s = t - 271.0f, r = 1.0f - s;
        SetColour(settings.colour1, 1.25f * r + 1.3f * s, 1.3f * r + 1.1f * s,
                  1.45f * r + 1.35f * s);
        SetColour(settings.colour2, 1.3f * r + 0.8f * s, 1.1f * r + 3.0f * s, 1.35f * r);
    }
}

} // namespace

CantorDofSettings CantorDofSettingsAt(float t) {
    CantorDofSettings settings;
    const bool explosion = t > 270.0f;
    if (explosion) settings.technique = "Cantor_DofQuadExplosion";

    float p0 = 0.12f;
    float p1 = t > 257.0f ? 0.055f : 0.03f;
    const float w = FlashAt(t);
    p1 = static_cast<float>(static_cast<double>(w * w) * 0.7 + p1);
    if (t > 240.0f && t <= 245.0f)
        p0 = 0.05f;
    else if (t > 244.0f && t <= 246.0f)
        p0 = (t - 244.0f) * 0.5f * 0.07f + 0.05f;
    settings.focusAndBlur[0] = p0;
    settings.focusAndBlur[1] = p1;

    float p2 = 0.0f;
    if (explosion) {
        const float g = (t - 270.5f) * 0.66666f;
        p2 = g * g * g * g * g * 0.9f;
        p1 = g * g * 0.3f + p1;
    }
    settings.parameters[0] = p0;
    settings.parameters[1] = p1;
    settings.parameters[2] = p2;

    settings.coloursSet = explosion;
    SetExplosionColours(t, settings);
    return settings;
}
