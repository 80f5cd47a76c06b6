#include "Modules/Water/BlobLayout.h"
#include "Modules/Water/Water.h"
#include "Modules/Water/WaterSurface.h"

#include "Framework/Timer.h"

// The height field is painted into temp512a (background, then the blobs), blurred through
// temp1024b into temp1024a, turned into normals in temp1024b, and the surface is lit from both.
void Water::RenderWater(const Targets& targets, float tau) {
    const auto demoTime = static_cast<float>(Timer::currentTime);
    const float beat = WaterSurface::BeatPulse(demoTime);

    DXEffect* pass = passQuad->Effect();
    const WaterSurface::BackgroundScroll scroll = WaterSurface::BackgroundScrollAt(tau);
    pass->SetVector3("UV1", scroll.uv1);
    pass->SetVector3("UV2", scroll.uv2);
    pass->SetVector3("UV3", scroll.uv3);
    pass->SetFloat("BEAT", beat);
    DrawPass(*passQuad, "techniqueWaterBackground", targets.temp512a);

    blobs.WritePositions(tau, beat);
    blobs.Draw(blobEffect->Effect());

    pass->SetTexture("TX0", targets.temp512a.texture);
    DrawPass(*passQuad, "techniqueWaterBlurVertical", targets.temp1024b);
    pass->SetTexture("TX1", targets.temp1024b.texture);
    DrawPass(*passQuad, "techniqueWaterBlurHorizontal", targets.temp1024a);
    pass->SetTexture("TX0", targets.temp1024a.texture);
    DrawPass(*passQuad, "techniqueWaterGenerateNormals", targets.temp1024b);

    BindBackBuffer();
    DXEffect* surface = surfaceQuad->Effect();
    const WaterSurface::SurfaceParameters parameters = WaterSurface::SurfaceParametersAt(tau);
    surface->SetMatrix("VIEWPROJ", WaterSurface::SurfaceViewProjection(tau));
    surfaceQuad->SetTechnique(tau < WaterSurface::kBlendTime ? "WaterOpaque" : "WaterBlend");
    surface->SetFloat("FADE1", parameters.fade1);
    surface->SetFloat("FADE2", parameters.fade2);
    surface->SetVector3("COLORS", parameters.colours);
    surface->SetVector4("CONTRAST", parameters.contrast);
    surface->SetTexture("TX0", targets.temp1024a.texture);
    surface->SetTexture("TX1", targets.temp1024b.texture);
    if (D3DXVECTOR3* corners = surfaceQuad->LockPositions()) {
        corners[0] = D3DXVECTOR3(-1.15f, 1.0f, 0.0f);
        corners[1] = D3DXVECTOR3(1.15f, 1.0f, 0.0f);
        corners[2] = D3DXVECTOR3(1.15f, -1.0f, 0.0f);
        corners[3] = D3DXVECTOR3(-1.15f, -1.0f, 0.0f);
        surfaceQuad->UnlockPositions();
    }
    surfaceQuad->DrawAll();
}
