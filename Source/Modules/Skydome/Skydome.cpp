#include "Modules/Skydome/Skydome.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"
#include "Framework/SceneHandler.h"

#include <cmath>
#include <cstring>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Modules\\Skydome\\Skydome";
constexpr UINT kVertexBytes = 20;
constexpr int kRings = 50;
constexpr float kStep = 0.02f;
constexpr float kRadius = 0.15f;

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

// A point of the dome: u once around, h from the horizon (0) to the pole (1).
Skydome::Vertex Corner(float u, float h) {
    const float angle = u * 6.2831855f;
    const float r = h < 1.0f ? std::sqrt(1.0f - h * h) : 0.0f;
    return {r * std::cos(angle) * kRadius, h * kRadius, r * std::sin(angle) * kRadius, u, 1.0f - h};
}

} // namespace

Skydome::~Skydome() {
    Unload();
}

std::vector<Skydome::Vertex> Skydome::DomeVertices() {
    std::vector<Vertex> vertices;
    vertices.reserve(kRings * kRings * 6);
    for (int i = 0; i < kRings; ++i) {
        const float h0 = static_cast<float>(i) * kStep, h1 = static_cast<float>(i + 1) * kStep;
        for (int j = 0; j < kRings; ++j) {
            const float u0 = static_cast<float>(j) * kStep, u1 = static_cast<float>(j + 1) * kStep;
            for (const Vertex& vertex : {Corner(u0, h0), Corner(u1, h0), Corner(u1, h1),
                                         Corner(u0, h0), Corner(u1, h1), Corner(u0, h1)})
                vertices.push_back(vertex);
        }
    }
    return vertices;
}

void Skydome::Load() {
    effect = std::make_unique<DXEffect>();
    effect->LoadEffect("Skydome.fx", DXFramework::Instance()->effectPool);
    effect->SetTechnique("Skydome");
    DXFramework::Instance()->StepLoaderBar();
    GUARDED(g_pd3dDevice->CreateVertexDeclaration(kLayout, &declaration));
    GUARDED(g_pd3dDevice->CreateVertexBuffer(primitiveCount * 3 * kVertexBytes, 0, 0,
                                             D3DPOOL_DEFAULT, &vertexBuffer, nullptr));
    if (vertexBuffer == nullptr) return; // the device is lost; the reset loads it again
    void* data = nullptr;
    GUARDED(vertexBuffer->Lock(0, 0, &data, 0));
    const std::vector<Vertex> vertices = DomeVertices();
    std::memcpy(data, vertices.data(), vertices.size() * sizeof(Vertex));
    GUARDED(vertexBuffer->Unlock());
    DXFramework::Instance()->StepLoaderBar();
}

// The effect goes too: it is a device object, and the module outlives the device.
void Skydome::Unload() {
    ReleaseAndClear(declaration);
    ReleaseAndClear(vertexBuffer);
    effect.reset();
}

void Skydome::Update() {
    const Scene* scene = SceneHandler::CurrentScene();
    if (scene == nullptr || !effect) return;
    D3DXMATRIX rotation;
    D3DXMatrixTranspose(&rotation, &scene->Shared().cameraRotation);
    D3DXMATRIX skyViewProjection;
    D3DXMatrixMultiply(&skyViewProjection, &rotation, &scene->Shared().cameraProjection);
    effect->SetMatrix("MATSKYDOME", skyViewProjection);
}

void Skydome::Render() {
    D3DVIEWPORT9 viewport{};
    g_pd3dDevice->GetViewport(&viewport);
    D3DVIEWPORT9 farPlane = viewport;
    farPlane.MinZ = 1.0f;
    farPlane.MaxZ = 1.0f;
    g_pd3dDevice->SetViewport(&farPlane);
    if (effect && effect->Effect() != nullptr && vertexBuffer != nullptr) {
        effect->SetFloat("FADE", skyFade);
        ID3DXEffect* running = effect->Effect();
        UINT passes = 0;
        running->Begin(&passes, 0);
        for (UINT pass = 0; pass < passes; ++pass) {
            running->BeginPass(pass);
            g_pd3dDevice->SetVertexDeclaration(declaration);
            g_pd3dDevice->SetStreamSource(0, vertexBuffer, 0, kVertexBytes);
            g_pd3dDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0, primitiveCount);
            running->EndPass();
        }
        running->End();
    }
    g_pd3dDevice->SetViewport(&viewport);
}
