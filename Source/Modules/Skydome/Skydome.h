// The sky dome drawn behind the geometry of several scenes, registered as "Skydome": a static
// hemisphere of radius 0.15 drawn with the current camera's rotation but not its position, on
// the far plane.
#pragma once

#include "Framework/DXEffect.h"
#include "Framework/DXModule.h"
#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <cstdint>
#include <memory>
#include <vector>

class Skydome final : public DXModule {
public:
    struct Vertex {
        float x, y, z;
        float u, v;
    };

    explicit Skydome(const char* moduleName) : DXModule(moduleName) {}
    ~Skydome() override;

    void Load() override;
    void Unload() override;
    // Takes the current scene's camera rotation and projection.
    void Update() override;
    void Render() override;
    void SetFade(float value) override { skyFade = value; }

    float Fade() const { return skyFade; }
    std::uint32_t PrimitiveCount() const { return primitiveCount; }
    // The triangles the dome is made of, three vertices each, as Load writes them.
    static std::vector<Vertex> DomeVertices();

private:
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    std::unique_ptr<DXEffect> effect;
    std::uint32_t primitiveCount = 5000; // 50 x 50 cells, two triangles each
    float skyFade = 1.0f;
};
