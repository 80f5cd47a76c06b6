// Guarded creation, filling and drawing of the water module's own vertex streams and indices.
// A lost device leaves a buffer null (creation) or unfilled (upload); callers skip what is null.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXEffect.h"

#include <initializer_list>

namespace WaterBuffers {

// Write-only; dynamic buffers are rewritten with discarding locks.
IDirect3DVertexBuffer9* CreateVertexBuffer(UINT bytes, bool dynamic);
IDirect3DIndexBuffer9* CreateIndexBuffer(UINT bytes, D3DFORMAT format);
IDirect3DVertexDeclaration9* CreateDeclaration(const D3DVERTEXELEMENT9* elements);

// Copies bytes into the start of the buffer.
void Upload(IDirect3DVertexBuffer9* buffer, const void* data, UINT bytes, DWORD lockFlags);
void Upload(IDirect3DIndexBuffer9* buffer, const void* data, UINT bytes);

struct Stream {
    IDirect3DVertexBuffer9* buffer;
    UINT stride;
};

// Each pass of the effect's current technique binds the declaration, the streams in order and
// the indices and draws one indexed triangle list.
void DrawIndexedTriangles(ID3DXEffect* effect, IDirect3DVertexDeclaration9* declaration,
                          std::initializer_list<Stream> streams, IDirect3DIndexBuffer9* indices,
                          UINT vertexCount, UINT triangleCount);

} // namespace WaterBuffers
