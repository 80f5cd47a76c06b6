// The device side of the 300 blobs: a position stream rewritten every frame, static colour and
// blob-local corner streams, the indices of two triangles per blob and their declaration.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXEffect.h"

class BlobBuffers {
public:
    BlobBuffers() = default;
    ~BlobBuffers();
    BlobBuffers(const BlobBuffers&) = delete;
    BlobBuffers& operator=(const BlobBuffers&) = delete;

    void Create();
    void Release();
    // The blobs' corners at the water time.
    void WritePositions(float tau, float beat);
    // Every blob, once per pass of the effect's current technique.
    void Draw(ID3DXEffect* effect);

private:
    IDirect3DVertexBuffer9* positions = nullptr;
    IDirect3DVertexBuffer9* colours = nullptr;
    IDirect3DVertexBuffer9* corners = nullptr;
    IDirect3DIndexBuffer9* indices = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
};
