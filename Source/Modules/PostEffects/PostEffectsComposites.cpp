// The composites that finish a scene's picture in the caller's target: the tunnel and humanoid
// grades with film noise, saturation, and the two depths of field.
#include "Modules/PostEffects/PostEffects.h"

#include "Framework/Noise.h"
#include "Framework/Timer.h"
#include "Modules/PostEffects/CantorDofSettings.h"
#include "Modules/PostEffects/PostTargets.h"

namespace {

const D3DXVECTOR4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};
constexpr float kTunnelNoiseIntensity = 0.028f;
const D3DXVECTOR4 kHumanoidContrast{-0.6f, 0.9f, 0.7f, 1.0f};

float DemoTime() {
    return static_cast<float>(Timer::currentTime);
}

} // namespace

void PostEffects::BlurCopy(const RTRecord& a, const RTRecord& b, const RTRecord& source,
                           std::uint32_t count) {
    SavedRenderTarget saved;
    BindPostTarget(b);
    BlitQuad(source.texture, kWhite);
    BlurLow(a, b, count);
    saved.Restore();
}

HRESULT PostEffects::CombineTunnel(const RTRecord& source) {
    SavedRenderTarget().Restore();
    SetTexture("COLTEX1", source.texture);
    SetInverseSize("RTDIMPIXELINV", source.width, source.height, -1.0f);
    SetFloat("NOISEINTENSITY", kTunnelNoiseIntensity);
    SetFloat("TIMENOISE", DemoTime());
    SetTechnique("CombineTunnel");
    return Draw();
}

HRESULT PostEffects::CombineHumanoid(const RTRecord& source, float noiseIntensity) {
    SavedRenderTarget().Restore();
    SetTexture("COLTEX1", source.texture);
    SetInverseSize("RTDIMPIXELINV", source.width, source.height, -1.0f);
    SetFloat("NOISEINTENSITY", noiseIntensity);
    SetVector("CONTRAST", kHumanoidContrast);
    SetTechnique("CombineHumanoid");
    return Draw();
}

HRESULT PostEffects::Saturate(const RTRecord& a, const RTRecord& b, const RTRecord& source,
                              float amount) {
    BlurCopy(a, b, source, 3);
    SetTechnique("Saturate");
    const float pulse = PerlinNoise1D(8.0f * DemoTime(), 2.0f, 2.0f, 5);
    const float v = (1.0f + 0.25f * pulse) * amount;
    SetVector("VALUE1", {v, v, v, v});
    SetTexture("COLTEX2", source.texture);
    SetTexture("COLTEX1", b.texture);
    return Draw();
}

HRESULT PostEffects::DofQuad(const RTRecord& depth, const RTRecord& a, const RTRecord& b,
                             const RTRecord& source, float noiseIntensity, float contrast) {
    BlurCopy(a, b, source, 1);
    SetTechnique("DofQuad");
    SetFloat("NOISEINTENSITY", noiseIntensity);
    // A cubic from the identity (contrast 0) to smoothstep (contrast 1), through 0 and 1.
    const float x = 1.0f - contrast;
    SetVector("CONTRAST", {2.0f * x - 2.0f, 3.0f - 3.0f * x, x, 1.0f});
    SetTexture("COLTEX3", depth.texture);
    SetTexture("COLTEX2", source.texture);
    SetTexture("COLTEX1", b.texture);
    return Draw();
}

HRESULT PostEffects::CantorDof(const RTRecord& depth, const RTRecord& a, const RTRecord& b,
                               const RTRecord& source) {
    BlurCopy(a, b, source, 2);
    const CantorDofSettings settings = CantorDofSettingsAt(DemoTime());
    SetTechnique(settings.technique);
    SetTexture("COLTEX3", depth.texture);
    SetTexture("COLTEX2", source.texture);
    SetTexture("COLTEX1", b.texture);
    SetFloatArray("CANTORDOFPARAMETERS", settings.focusAndBlur, 2);
    SetFloatArray("CANTORDOFPARAMETERS", settings.parameters, 3);
    if (settings.coloursSet) {
        SetFloatArray("COLOR1", settings.colour1, 3);
        SetFloatArray("COLOR2", settings.colour2, 3);
    }
    return Draw();
}
