// The post-processing module that finishes the scenes' frames, registered as "PostFX": one
// full-screen quad bound to "PostEffects.fx", and for each operation a fixed sequence of
// parameters, techniques and render targets. Target arguments are records of RTHandler; binding
// one sets its level 0 as render target 0 with the framework's plain depth surface, which also
// resets the viewport to the whole target.
#pragma once

#include "Framework/DXModule.h"
#include "Framework/RenderClasses/Quads.h"
#include "Framework/RenderTargetResources/RTHandler.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <cstdint>
#include <memory>

class PostEffects final : public DXModule {
public:
    explicit PostEffects(const char* moduleName) : DXModule(moduleName) {}

    // Creates the quad over the whole target, its effect (with the framework's pool) and selects
    // "BlitQuad".
    void Load() override;
    // Deletes the quad and its effect.
    void Unload() override;

    // Each operation draws the quad once per effect pass into the target bound when it draws and
    // returns the result of its last draw (E_FAIL while the module is not loaded).

    // Texture x colour; "RTDIMPIXELINV" from the current viewport.
    HRESULT BlitQuad(IDirect3DBaseTexture9* texture, const D3DXVECTOR4& colour);
    HRESULT BlitQuad(const RTRecord& source, const D3DXVECTOR4& colour);
    HRESULT FillQuad(const D3DXVECTOR4& colour);
    // The source's colours faded towards colour.rgb by colour.a.
    HRESULT FadeToColor(const RTRecord& source, const D3DXVECTOR4& colour);
    // count vertical and horizontal passes between a and b, which have the same size; the
    // picture starts and ends in b, and b stays bound (nothing is bound when count is 0).
    HRESULT BlurLow(const RTRecord& a, const RTRecord& b, std::uint32_t count);
    // Down-samples the source into half, blurs it there 15 times through temp, and adds it to
    // the source in the caller's target.
    HRESULT GlowUFO(const RTRecord& source, const RTRecord& half, const RTRecord& temp,
                    float noiseIntensity);
    HRESULT CombineTunnel(const RTRecord& source);
    HRESULT CombineHumanoid(const RTRecord& source, float noiseIntensity);
    // The exponential blur of a depth map into destination, which stays bound.
    HRESULT ExpBlur(const RTRecord& source, const RTRecord& destination);
    // The colour smeared along the per-pixel motion of the vector target.
    HRESULT MotionBlur(const RTRecord& colour, const RTRecord& vectors);
    // The source saturated and glowing by amount, pulsing with the demo time; a and b hold the
    // blur.
    HRESULT Saturate(const RTRecord& a, const RTRecord& b, const RTRecord& source, float amount);
    // Depth of field from the depth target's blur factor, film noise and a contrast c.
    HRESULT DofQuad(const RTRecord& depth, const RTRecord& a, const RTRecord& b,
                    const RTRecord& source, float noiseIntensity, float contrast);
    // The Cantor scene's depth of field, its focus, flashes and final explosion timed by the
    // demo time.
    HRESULT CantorDof(const RTRecord& depth, const RTRecord& a, const RTRecord& b,
                      const RTRecord& source);

    // The full-screen quad; null while not loaded.
    Quads* Quad() const { return quad.get(); }

private:
    void SetTechnique(const char* technique);
    void SetTexture(const char* semantic, IDirect3DBaseTexture9* texture);
    void SetVector(const char* semantic, const D3DXVECTOR4& value);
    void SetFloat(const char* semantic, float value);
    void SetFloatArray(const char* semantic, const float* values, unsigned count);
    // (1 / width, sign / height), as "RTDIMPIXELINV" (sign -1) or "TX1DIMPIXELINV" (sign 1).
    void SetInverseSize(const char* semantic, std::uint32_t width, std::uint32_t height,
                        float sign);
    // The copy of the source into b and its low blur, with the caller's target kept.
    void BlurCopy(const RTRecord& a, const RTRecord& b, const RTRecord& source,
                  std::uint32_t count);
    HRESULT Draw();

    std::unique_ptr<Quads> quad;
};
