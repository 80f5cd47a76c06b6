// The device side of the tunnel's tube: dynamic position and shade streams uploaded from the
// CPU geometry every frame, static texture-coordinate and normal streams, the indices and their
// declaration.
#pragma once

#include "Modules/Water/TubeGeometry.h"
#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXEffect.h"

class TubeMesh {
public:
    TubeMesh() = default;
    ~TubeMesh();
    TubeMesh(const TubeMesh&) = delete;
    TubeMesh& operator=(const TubeMesh&) = delete;

    void Create();
    void Release();
    // Rebuilds the geometry at tunnel time u and uploads its moving streams.
    void Update(float u);
    // The whole tube, once per pass of the effect's current technique.
    void Draw(ID3DXEffect* effect);

    const TubeGeometry& Geometry() const { return geometry; }

private:
    TubeGeometry geometry;
    IDirect3DVertexBuffer9* positions = nullptr;
    IDirect3DVertexBuffer9* shades = nullptr;
    IDirect3DVertexBuffer9* texCoords = nullptr;
    IDirect3DVertexBuffer9* normals = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
};
