// An indexed triangle mesh exported ready for the graphics card: four entries of the data file
// sharing a base name (".nfo" counts, ".decl" vertex declaration, ".vb" vertex bytes, ".ib"
// 32-bit indices), copied into device buffers as they are and drawn with a bound effect.
#pragma once

#include "Framework/DXEffect.h"
#include "Platform/D3D9/D3D9.h"

#include <cstdint>
#include <memory>
#include <string>

class RawMesh {
public:
    RawMesh() = default;
    ~RawMesh();
    RawMesh(const RawMesh&) = delete;
    RawMesh& operator=(const RawMesh&) = delete;

    // Reads the four entries and creates the declaration and buffers, replacing earlier ones.
    // A missing or damaged entry throws FrameworkEx naming it before any device object is made.
    void Load(const std::string& baseName);
    // Creates, binds and loads the mesh's own effect; throws when one is bound already.
    void LoadEffect(const std::string& name, ID3DXEffectPool* pool);
    // Every pass of the effect's current technique draws the whole mesh; nothing without one.
    void Draw();
    // Deletes the effect and releases the declaration and buffers.
    void Release();

    DXEffect* Effect() const { return effect.get(); }
    std::uint32_t VertexCount() const { return vertexCount; }
    std::uint32_t TriangleCount() const { return triangleCount; }
    std::uint32_t VertexStride() const { return vertexStride; }
    IDirect3DVertexBuffer9* VertexBuffer() const { return vertexBuffer; }
    IDirect3DIndexBuffer9* IndexBuffer() const { return indexBuffer; }
    IDirect3DVertexDeclaration9* Declaration() const { return declaration; }

private:
    void ReleaseDeviceObjects();

    std::uint32_t vertexCount = 0;
    std::uint32_t triangleCount = 0;
    std::uint32_t vertexStride = 0;
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    std::unique_ptr<DXEffect> effect;
};
