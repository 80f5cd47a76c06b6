#include "Modules/Water/TunnelPath.h"
#include "Modules/Water/Water.h"
#include "Modules/Water/WaterSource.h"

#include "Framework/DXFramework.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/ModuleHandler.h"
#include "Modules/PostEffects/PostEffects.h"

namespace {

constexpr D3DCOLOR kTunnelClear =
    D3DCOLOR_XRGB(TunnelPath::kClearGrey, TunnelPath::kClearGrey, TunnelPath::kClearGrey);
constexpr float kTunnelContrast[4] = {-2.0f, 3.0f, 0.0f, 0.0f};

// The fixed camera that puts the tunnel-water quad exactly over its target.
D3DXMATRIX FlatViewProjection() {
    const D3DXVECTOR3 eye(0.0f, 0.0f, 1.0f), at(0.0f, 0.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, projection, result;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovRH(&projection, 1.5707964f, 1.0f, 0.1f, 100.0f);
    D3DXMatrixMultiply(&result, &view, &projection);
    return result;
}

PostEffects& PostFX() {
    auto* postEffects = dynamic_cast<PostEffects*>(ModuleHandler::Instance()->Find("PostFX"));
    if (postEffects == nullptr)
        throw FrameworkEx("[Water::Render]: the module \"PostFX\" that composes the tunnel is "
                          "not registered");
    return *postEffects;
}

} // namespace

// The walls' liquid is painted into temp512a, blurred through temp512b, turned into normals in
// normals512 and lit into temp512b; the tube wearing it (and the cube) goes into the colour
// target, which the post-processing module composes to the screen.
void Water::RenderTunnel(const Targets& targets, float u) {
    DrawTunnelWater(targets);
    const float aspect =
        static_cast<float>(targets.colour.width) / static_cast<float>(targets.colour.height);
    const TunnelPath::TunnelCamera camera = TunnelPath::CameraAt(u, aspect);
    const TunnelPath::WallParameters wall = TunnelPath::WallParametersAt(u);
    DrawTube(targets, u, wall, camera.viewProjection);
    if (TunnelPath::CubeVisible(u))
        DrawCube(u, wall, camera.eye, camera.viewProjection, targets.temp512b);
    BindBackBuffer();
    PostFX().CombineTunnel(targets.colour);
}

void Water::DrawTunnelWater(const Targets& targets) {
    const D3DXMATRIX flat = FlatViewProjection();
    DXEffect* normals = tunnelWaterNormalsQuad->Effect();
    DXEffect* composite = tunnelWaterQuad->Effect();
    normals->SetMatrix("VIEWPROJ", flat);
    composite->SetMatrix("VIEWPROJ", flat);
    normals->SetFloat("SCALE", 1.0f);
    DrawPass(*tunnelWaterNormalsQuad, "techniqueTunnelWaterInitialComp", targets.temp512a);
    normals->SetTexture("TX0", targets.temp512a.texture);
    DrawPass(*tunnelWaterNormalsQuad, "techniqueTunnelBlurVertical", targets.temp512b);
    normals->SetTexture("TX1", targets.temp512b.texture);
    DrawPass(*tunnelWaterNormalsQuad, "techniqueTunnelBlurHorizontal", targets.temp512a);
    normals->SetTexture("TX0", targets.temp512a.texture);
    DrawPass(*tunnelWaterNormalsQuad, "techniqueTunnelGenerateNormals", targets.normals512);

    BindTarget(targets.temp512b);
    GUARDED(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER,
                                D3DCOLOR_XRGB(0, 0, 0), 1.0f, 0));
    composite->SetTexture("TX0", targets.temp512a.texture);
    composite->SetTexture("TX1", targets.normals512.texture);
    tunnelWaterQuad->SetTechnique("techniqueTunnelWaterFinalComp");
    tunnelWaterQuad->DrawAll();
}

void Water::DrawTube(const Targets& targets, float u, const TunnelPath::WallParameters& wall,
                     const D3DXMATRIX& viewProjection) {
    tube.Update(u);
    GUARDED(g_pd3dDevice->SetRenderTarget(0, targets.colour.surface));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(DXFramework::Instance()->sharedDepthSurface));
    GUARDED(
        g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kTunnelClear, 1.0f, 0));
    tubeEffect->SetTechnique(TunnelPath::UsesSecondTechnique(u) ? "techniqueTunnel2"
                                                                : "techniqueTunnel");
    tubeEffect->SetFloat("FOGFADE", wall.fogFade);
    tubeEffect->SetFloat("FOGFADEWATER", wall.fogFadeWater);
    tubeEffect->SetVector3("FOGCOLOR", wall.fogColour);
    tubeEffect->SetVector2("SCROLLUV", wall.scrollUV);
    tubeEffect->SetVector4("CONTRAST", kTunnelContrast);
    tubeEffect->SetFloat("FADE", wall.fade);
    tubeEffect->SetTexture("TX0", targets.temp512b.texture);
    tubeEffect->SetMatrix("VIEWPROJ", viewProjection);
    tube.Draw(tubeEffect->Effect());
}

void Water::DrawCube(float u, const TunnelPath::WallParameters& wall, const D3DXVECTOR3& eye,
                     const D3DXMATRIX& viewProjection, const RTRecord& wallTexture) {
    const TunnelPath::CubePlacement placement = TunnelPath::CubeAt(u);
    DXEffect* effect = cube->Effect();
    const float eyePosition[3] = {eye.x, eye.y, eye.z};
    effect->SetMatrix("WORLD", placement.world);
    effect->SetVector3("EYEPOS", eyePosition);
    effect->SetFloat("FOG", placement.fog);
    effect->SetVector3("FOGCOLOR", wall.fogColour);
    effect->SetTexture("TX0", wallTexture.texture);
    effect->SetMatrix("VIEWPROJ", viewProjection);
    cube->Draw();
}
