#include "Platform/D3DX9/XMesh.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    {0, 24, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};
constexpr std::uint32_t kLargest16BitIndex = 0xFFFF;

D3DPOOL PoolOf(DWORD options, DWORD managed, DWORD systemMemory) {
    if (options & managed) return D3DPOOL_MANAGED;
    if (options & systemMemory) return D3DPOOL_SYSTEMMEM;
    return D3DPOOL_DEFAULT;
}

template <class T>
void ReleaseObject(T*& object) {
    if (object != nullptr) object->Release();
    object = nullptr;
}

HRESULT Fill(IDirect3DVertexBuffer9* buffer, const void* bytes, std::size_t size) {
    void* data = nullptr;
    if (const HRESULT result = buffer->Lock(0, 0, &data, 0); FAILED(result)) return result;
    std::memcpy(data, bytes, size);
    return buffer->Unlock();
}

HRESULT Fill(IDirect3DIndexBuffer9* buffer, const std::vector<std::uint32_t>& indices, bool wide) {
    void* data = nullptr;
    if (const HRESULT result = buffer->Lock(0, 0, &data, 0); FAILED(result)) return result;
    if (wide) {
        std::memcpy(data, indices.data(), indices.size() * 4);
    } else {
        auto* narrow = static_cast<std::uint16_t*>(data);
        for (std::size_t i = 0; i < indices.size(); ++i)
            narrow[i] = static_cast<std::uint16_t>(indices[i]);
    }
    return buffer->Unlock();
}

} // namespace

XMesh::XMesh(IDirect3DDevice9* owner, DWORD meshOptions) : device(owner), options(meshOptions) {
    device->AddRef();
}

XMesh::~XMesh() {
    ReleaseObject(declaration);
    ReleaseObject(indexBuffer);
    ReleaseObject(vertexBuffer);
    device->Release();
}

HRESULT XMesh::Create(IDirect3DDevice9* device, DWORD options, const XMeshAssembly& assembly,
                      XMesh** out) {
    const bool wide = (options & D3DXMESH_32BIT) != 0;
    // 16-bit indices cannot reach the vertices past 65535.
    if (!wide && assembly.vertices.size() > kLargest16BitIndex + 1u) return D3DERR_INVALIDCALL;
    XMesh* mesh = new XMesh(device, options);
    mesh->vertexCount = static_cast<DWORD>(assembly.vertices.size());
    mesh->attributes.assign(assembly.attributes.begin(), assembly.attributes.end());
    for (const XMeshSubset& subset : assembly.subsets)
        mesh->attributeTable.push_back({subset.attribId, subset.faceStart, subset.faceCount,
                                        subset.vertexStart, subset.vertexCount});

    const std::size_t vertexBytes = assembly.vertices.size() * sizeof(XMeshVertex);
    const std::size_t indexBytes = assembly.indices.size() * (wide ? 4 : 2);
    HRESULT result = device->CreateVertexDeclaration(kLayout, &mesh->declaration);
    if (SUCCEEDED(result))
        result =
            device->CreateVertexBuffer(static_cast<UINT>(vertexBytes), 0, mesh->GetFVF(),
                                       PoolOf(options, D3DXMESH_VB_MANAGED, D3DXMESH_VB_SYSTEMMEM),
                                       &mesh->vertexBuffer, nullptr);
    if (SUCCEEDED(result))
        result = device->CreateIndexBuffer(
            static_cast<UINT>(indexBytes), 0, wide ? D3DFMT_INDEX32 : D3DFMT_INDEX16,
            PoolOf(options, D3DXMESH_IB_MANAGED, D3DXMESH_IB_SYSTEMMEM), &mesh->indexBuffer,
            nullptr);
    if (SUCCEEDED(result)) result = Fill(mesh->vertexBuffer, assembly.vertices.data(), vertexBytes);
    if (SUCCEEDED(result)) result = Fill(mesh->indexBuffer, assembly.indices, wide);
    if (FAILED(result)) {
        mesh->Release();
        return result;
    }
    *out = mesh;
    return D3D_OK;
}

HRESULT XMesh::DrawSubset(DWORD attribId) {
    const auto subset =
        std::find_if(attributeTable.begin(), attributeTable.end(),
                     [&](const D3DXATTRIBUTERANGE& range) { return range.AttribId == attribId; });
    if (subset == attributeTable.end()) return D3D_OK;
    device->SetVertexDeclaration(declaration);
    device->SetStreamSource(0, vertexBuffer, 0, sizeof(XMeshVertex));
    device->SetIndices(indexBuffer);
    return device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, subset->VertexStart,
                                        subset->VertexCount, 3 * subset->FaceStart,
                                        subset->FaceCount);
}

DWORD XMesh::GetFVF() {
    return D3DFVF_XYZ | D3DFVF_NORMAL | D3DFVF_TEX1;
}

HRESULT XMesh::GetDeclaration(D3DVERTEXELEMENT9 out[MAX_FVF_DECL_SIZE]) {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    std::copy(std::begin(kLayout), std::end(kLayout), out);
    return D3D_OK;
}

HRESULT XMesh::GetDevice(IDirect3DDevice9** out) {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    device->AddRef();
    *out = device;
    return D3D_OK;
}

HRESULT XMesh::GetVertexBuffer(IDirect3DVertexBuffer9** out) {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    vertexBuffer->AddRef();
    *out = vertexBuffer;
    return D3D_OK;
}

HRESULT XMesh::GetIndexBuffer(IDirect3DIndexBuffer9** out) {
    if (out == nullptr) return D3DERR_INVALIDCALL;
    indexBuffer->AddRef();
    *out = indexBuffer;
    return D3D_OK;
}

HRESULT XMesh::LockVertexBuffer(DWORD flags, void** data) {
    return vertexBuffer->Lock(0, 0, data, flags);
}

HRESULT XMesh::UnlockVertexBuffer() {
    return vertexBuffer->Unlock();
}

HRESULT XMesh::LockIndexBuffer(DWORD flags, void** data) {
    return indexBuffer->Lock(0, 0, data, flags);
}

HRESULT XMesh::UnlockIndexBuffer() {
    return indexBuffer->Unlock();
}

HRESULT XMesh::LockAttributeBuffer(DWORD, DWORD** data) {
    if (data == nullptr) return D3DERR_INVALIDCALL;
    *data = attributes.data();
    return D3D_OK;
}

HRESULT XMesh::GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) {
    if (size == nullptr) return D3DERR_INVALIDCALL;
    if (table != nullptr) std::copy(attributeTable.begin(), attributeTable.end(), table);
    *size = static_cast<DWORD>(attributeTable.size());
    return D3D_OK;
}
