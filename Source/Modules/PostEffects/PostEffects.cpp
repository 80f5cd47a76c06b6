#include "Modules/PostEffects/PostEffects.h"

#include "Framework/DXFramework.h"
#include "Modules/PostEffects/PostEffectsTestSeam.h"

namespace {

// Corners top-left, top-right, bottom-right, bottom-left of the whole target in clip space.
const D3DXVECTOR3 kFullScreenCorners[4] = {
    {-1.0f, 1.0f, 0.0f}, {1.0f, 1.0f, 0.0f}, {1.0f, -1.0f, 0.0f}, {-1.0f, -1.0f, 0.0f}};

} // namespace

void PostEffects::Load() {
    quad = std::make_unique<Quads>(1);
    quad->LoadEffect("PostEffects.fx", DXFramework::Instance()->effectPool);
    quad->Init();
    quad->SetTechnique("BlitQuad");
    DXFramework::Instance()->StepLoaderBar();
    // A lost device leaves the batch without buffers; it is loaded again after the reset.
    if (DXFramework::Instance()->deviceLost) return;
    D3DXVECTOR3* positions = quad->LockPositions(1);
    for (int corner = 0; corner < 4; ++corner)
        positions[corner] = kFullScreenCorners[corner];
    quad->UnlockPositions();
}

void PostEffects::Unload() {
    quad.reset();
}

void PostEffects::SetTechnique(const char* technique) {
    if (quad) quad->SetTechnique(technique);
}

void PostEffects::SetTexture(const char* semantic, IDirect3DBaseTexture9* texture) {
    if (quad) quad->Effect()->SetTexture(semantic, texture);
}

void PostEffects::SetVector(const char* semantic, const D3DXVECTOR4& value) {
    const float values[4] = {value.x, value.y, value.z, value.w};
    if (quad) quad->Effect()->SetVector4(semantic, values);
}

void PostEffects::SetFloat(const char* semantic, float value) {
    if (quad) quad->Effect()->SetFloat(semantic, value);
}

void PostEffects::SetFloatArray(const char* semantic, const float* values, unsigned count) {
    if (quad) quad->Effect()->SetFloatArray(semantic, values, count);
}

void PostEffects::SetInverseSize(const char* semantic, std::uint32_t width, std::uint32_t height,
                                 float sign) {
    const float inverse[2] = {1.0f / static_cast<float>(width), sign / static_cast<float>(height)};
    if (quad) quad->Effect()->SetVector2(semantic, inverse);
}

HRESULT PostEffects::Draw() {
    if (!quad) return E_FAIL;
    if (PostEffectsTestSeam::Recording()) {
        PostEffectsTestSeam::Draw draw{.technique = quad->TechniqueName()};
        if (g_pd3dDevice->GetRenderTarget(0, &draw.target) == D3D_OK) draw.target->Release();
        g_pd3dDevice->GetViewport(&draw.viewport);
        if (ID3DXEffect* effect = quad->Effect()->Effect()) {
            D3DXHANDLE colourTexture = quad->Effect()->GetHandle("COLTEX1");
            if (colourTexture && effect->GetTexture(colourTexture, &draw.colourTexture) == D3D_OK &&
                draw.colourTexture)
                draw.colourTexture->Release();
        }
        PostEffectsTestSeam::Record(draw);
    }
    return quad->DrawAll();
}
