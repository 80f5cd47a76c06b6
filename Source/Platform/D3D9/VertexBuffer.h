// Vertex and index buffers of the device layer.
#pragma once

#include "Platform/D3D9/BufferStorage.h"
#include "Platform/D3D9/D3D9.h"

class VertexBuffer final : public IDirect3DVertexBuffer9 {
public:
    VertexBuffer(IDirect3DDevice9* device, const D3DVERTEXBUFFER_DESC& desc);
    ~VertexBuffer() override;

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DVERTEXBUFFER_DESC* desc) override;

    GLuint Name() const { return storage.Name(); }

private:
    IDirect3DDevice9* device; // not counted
    D3DVERTEXBUFFER_DESC desc;
    BufferStorage storage;
};

class IndexBuffer final : public IDirect3DIndexBuffer9 {
public:
    IndexBuffer(IDirect3DDevice9* device, const D3DINDEXBUFFER_DESC& desc);
    ~IndexBuffer() override;

    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags) override;
    HRESULT Unlock() override;
    HRESULT GetDesc(D3DINDEXBUFFER_DESC* desc) override;

    GLuint Name() const { return storage.Name(); }
    UINT IndexSize() const { return desc.Format == D3DFMT_INDEX32 ? 4 : 2; }
    UINT Size() const { return desc.Size; }

private:
    IDirect3DDevice9* device; // not counted
    D3DINDEXBUFFER_DESC desc;
    BufferStorage storage;
};
