// The D3DX mesh object: position, normal and texture coordinate vertices in one vertex buffer,
// 16- or 32-bit triangle indices sorted by subset, the subset of each face and the attribute
// table that DrawSubset draws from.
#pragma once

#include "Platform/D3DX9/D3DXMesh.h"
#include "Platform/D3DX9/XMeshAssembly.h"

#include <vector>

class XMesh final : public ID3DXMesh {
public:
    // Makes the device buffers; on failure returns the device's result and sets no mesh.
    static HRESULT Create(IDirect3DDevice9* device, DWORD options, const XMeshAssembly& assembly,
                          XMesh** mesh);
    ~XMesh() override;

    HRESULT DrawSubset(DWORD attribId) override;
    DWORD GetNumFaces() override { return static_cast<DWORD>(attributes.size()); }
    DWORD GetNumVertices() override { return vertexCount; }
    DWORD GetFVF() override;
    HRESULT GetDeclaration(D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE]) override;
    DWORD GetNumBytesPerVertex() override { return sizeof(XMeshVertex); }
    DWORD GetOptions() override { return options; }
    HRESULT GetDevice(IDirect3DDevice9** device) override;
    HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** buffer) override;
    HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** buffer) override;
    HRESULT LockVertexBuffer(DWORD flags, void** data) override;
    HRESULT UnlockVertexBuffer() override;
    HRESULT LockIndexBuffer(DWORD flags, void** data) override;
    HRESULT UnlockIndexBuffer() override;
    HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) override;
    HRESULT UnlockAttributeBuffer() override { return D3D_OK; }
    HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) override;

private:
    XMesh(IDirect3DDevice9* device, DWORD options);

    IDirect3DDevice9* device;
    DWORD options;
    DWORD vertexCount = 0;
    IDirect3DVertexBuffer9* vertexBuffer = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    std::vector<DWORD> attributes;
    std::vector<D3DXATTRIBUTERANGE> attributeTable;
};
