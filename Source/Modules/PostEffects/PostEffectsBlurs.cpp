// The blur chains: the low blur between two equal targets, the glow's down-sample and wide blur,
// and the exponential blur of depth maps.
#include "Modules/PostEffects/PostEffects.h"

#include "Framework/DXFramework.h"
#include "Modules/PostEffects/PostTargets.h"

namespace {

constexpr int kGlowBlurPasses = 15;

} // namespace

HRESULT PostEffects::BlurLow(const RTRecord& a, const RTRecord& b, std::uint32_t count) {
    SetInverseSize("RTDIMPIXELINV", a.width, a.height, -1.0f);
    SetInverseSize("TX1DIMPIXELINV", a.width, a.height, 1.0f);
    HRESULT result = D3D_OK;
    for (std::uint32_t pass = 0; pass < count; ++pass) {
        BindPostTarget(a);
        SetTechnique("BlurVLow");
        SetTexture("COLTEX1", b.texture);
        Draw();
        BindPostTarget(b);
        SetTechnique("BlurHLow");
        SetTexture("COLTEX1", a.texture);
        result = Draw();
    }
    return result;
}

HRESULT PostEffects::GlowUFO(const RTRecord& source, const RTRecord& half, const RTRecord& temp,
                             float noiseIntensity) {
    SavedRenderTarget saved;
    SetTexture("COLTEX1", source.texture);
    BindPostTarget(half);
    SetInverseSize("RTDIMPIXELINV", half.width, half.height, -1.0f);
    SetTechnique("DownSample");
    Draw();

    SetInverseSize("TX1DIMPIXELINV", half.width, half.height, 1.0f);
    SetInverseSize("RTDIMPIXELINV", half.width, half.height, -1.0f);
    for (int pass = 0; pass < kGlowBlurPasses; ++pass) {
        SetTexture("COLTEX1", half.texture);
        BindPostTarget(temp);
        SetTechnique("BlurV");
        Draw();
        SetTexture("COLTEX1", temp.texture);
        BindPostTarget(half);
        SetTechnique("BlurH");
        Draw();
    }
    saved.Restore();

    SetTexture("COLTEX1", source.texture);
    SetTexture("COLTEX2", half.texture);
    SetFloat("NOISEINTENSITY", noiseIntensity);
    SetTechnique("CombineUFO");
    return Draw();
}

HRESULT PostEffects::ExpBlur(const RTRecord& source, const RTRecord& destination) {
    SetInverseSize("TX1DIMPIXELINV", source.width, source.height, 1.0f);
    // Of the picture, whatever the destination's size.
    const FrameworkSettings& settings = DXFramework::Instance()->settings;
    SetInverseSize("RTDIMPIXELINV", settings.pictureWidth, settings.pictureHeight, -1.0f);
    SetTechnique("ExpBlur");
    SetTexture("VECTEX1", source.texture);
    BindPostTarget(destination);
    return Draw();
}
