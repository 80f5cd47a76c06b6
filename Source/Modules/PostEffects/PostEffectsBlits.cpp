// The single-pass operations: blit, fill, fade to a colour and motion blur.
#include "Modules/PostEffects/PostEffects.h"

#include "Framework/DXFramework.h"

namespace {

const D3DXVECTOR4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};

} // namespace

HRESULT PostEffects::BlitQuad(IDirect3DBaseTexture9* texture, const D3DXVECTOR4& colour) {
    SetVector("VALUE1", colour);
    D3DVIEWPORT9 viewport{};
    g_pd3dDevice->GetViewport(&viewport);
    SetInverseSize("RTDIMPIXELINV", viewport.Width, viewport.Height, -1.0f);
    SetTexture("COLTEX1", texture);
    SetTechnique("BlitQuad");
    return Draw();
}

HRESULT PostEffects::BlitQuad(const RTRecord& source, const D3DXVECTOR4& colour) {
    return BlitQuad(source.texture, colour);
}

HRESULT PostEffects::FillQuad(const D3DXVECTOR4& colour) {
    SetVector("VALUE1", colour);
    SetTechnique("FillQuad");
    return Draw();
}

HRESULT PostEffects::FadeToColor(const RTRecord& source, const D3DXVECTOR4& colour) {
    SetTexture("COLTEX1", source.texture);
    SetVector("VALUE1", colour);
    SetTechnique("FadeToColor");
    return Draw();
}

HRESULT PostEffects::MotionBlur(const RTRecord& colour, const RTRecord& vectors) {
    // The blit's parameters, without its draw.
    SetVector("VALUE1", kWhite);
    D3DVIEWPORT9 viewport{};
    g_pd3dDevice->GetViewport(&viewport);
    SetInverseSize("RTDIMPIXELINV", viewport.Width, viewport.Height, -1.0f);
    SetTexture("COLTEX1", colour.texture);
    SetTechnique("BlitQuad");

    SetTexture("COLTEX1", colour.texture);
    SetTexture("VECTEX1", vectors.texture);
    SetTechnique("MotionBlur");
    return Draw();
}
