// The water scene's module, registered as "Water": a liquid surface whose height field is painted
// by 300 soft blobs every frame, then, from water time 16.5 on, a flight through a tube whose
// walls carry a second painted liquid, with a bevelled cube flying through. Every frame is a
// function of the demo time alone.
#pragma once

#include "Framework/DXEffect.h"
#include "Framework/DXMesh.h"
#include "Framework/DXModule.h"
#include "Framework/RenderClasses/Quads.h"
#include "Framework/RenderTargetResources/RTHandler.h"
#include "Modules/Water/BlobBuffers.h"
#include "Modules/Water/TubeMesh.h"
#include "Modules/Water/TunnelPath.h"

#include <memory>

class Water final : public DXModule {
public:
    // The scene's targets, in the order the scene hands them over.
    struct Targets {
        const RTRecord& normals512;
        const RTRecord& temp512a;
        const RTRecord& temp512b;
        const RTRecord& temp1024a;
        const RTRecord& temp1024b;
        const RTRecord& colour;
    };

    explicit Water(const char* moduleName) : DXModule(moduleName) {}
    ~Water() override;

    void Load() override;
    void Unload() override;
    // One frame at the current demo time: the water phase into the back buffer, or the tunnel
    // into the colour target and composed to the back buffer by "PostFX".
    void Render(const Targets& targets);

    const TubeMesh& Tube() const { return tube; }

private:
    void RenderWater(const Targets& targets, float tau);
    void RenderTunnel(const Targets& targets, float u);
    void DrawTunnelWater(const Targets& targets);
    void DrawTube(const Targets& targets, float u, const TunnelPath::WallParameters& wall,
                  const D3DXMATRIX& viewProjection);
    void DrawCube(float u, const TunnelPath::WallParameters& wall, const D3DXVECTOR3& eye,
                  const D3DXMATRIX& viewProjection, const RTRecord& wallTexture);
    // Selects the technique and draws the batch's quad into the target.
    static void DrawPass(Quads& batch, const char* technique, const RTRecord& target);
    static void BindTarget(const RTRecord& target);
    static void BindBackBuffer();

    std::unique_ptr<Quads> surfaceQuad;
    std::unique_ptr<Quads> passQuad;
    std::unique_ptr<DXEffect> blobEffect;
    BlobBuffers blobs;
    std::unique_ptr<Quads> tunnelWaterNormalsQuad;
    std::unique_ptr<Quads> tunnelWaterQuad;
    std::unique_ptr<DXEffect> tubeEffect;
    TubeMesh tube;
    std::unique_ptr<DXMesh> cube;
};
