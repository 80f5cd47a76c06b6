// D3DXLoadMeshFromXInMemory: parse, assemble, make the device mesh and the material buffer.
#include "Platform/D3DX9/D3DXMesh.h"
#include "Platform/D3DX9/XFileParser.h"
#include "Platform/D3DX9/XFileTokenizer.h"
#include "Platform/D3DX9/XMesh.h"
#include "Platform/D3DX9/XMeshAssembly.h"

#include <cstring>

namespace {

// The X file states no ambient colour; specular and emissive colours have no alpha there.
D3DMATERIAL9 ToD3DMaterial(const XMaterialData& material) {
    D3DMATERIAL9 out{};
    const float* face = material.faceColor;
    out.Diffuse = {face[0], face[1], face[2], face[3]};
    out.Ambient = {0.0f, 0.0f, 0.0f, 1.0f};
    const float* specular = material.specularColor;
    out.Specular = {specular[0], specular[1], specular[2], 1.0f};
    const float* emissive = material.emissiveColor;
    out.Emissive = {emissive[0], emissive[1], emissive[2], 1.0f};
    out.Power = material.power;
    return out;
}

// The D3DXMATERIAL array, then the zero-terminated texture names it points to.
HRESULT CreateMaterialBuffer(const std::vector<XMaterialData>& materials, ID3DXBuffer** out) {
    std::size_t bytes = materials.size() * sizeof(D3DXMATERIAL);
    for (const XMaterialData& material : materials)
        if (material.textureFilename) bytes += material.textureFilename->size() + 1;
    ID3DXBuffer* buffer = nullptr;
    if (const HRESULT result = D3DXCreateBuffer(static_cast<DWORD>(bytes), &buffer); FAILED(result))
        return result;
    auto* entries = static_cast<D3DXMATERIAL*>(buffer->GetBufferPointer());
    char* names = reinterpret_cast<char*>(entries + materials.size());
    for (std::size_t i = 0; i < materials.size(); ++i) {
        entries[i].MatD3D = ToD3DMaterial(materials[i]);
        entries[i].pTextureFilename = nullptr;
        if (const auto& name = materials[i].textureFilename) {
            std::memcpy(names, name->c_str(), name->size() + 1);
            entries[i].pTextureFilename = names;
            names += name->size() + 1;
        }
    }
    *out = buffer;
    return D3D_OK;
}

HRESULT CreateAdjacencyBuffer(const std::vector<std::uint32_t>& adjacency, ID3DXBuffer** out) {
    ID3DXBuffer* buffer = nullptr;
    const auto bytes = static_cast<DWORD>(adjacency.size() * sizeof(DWORD));
    if (const HRESULT result = D3DXCreateBuffer(bytes, &buffer); FAILED(result)) return result;
    std::memcpy(buffer->GetBufferPointer(), adjacency.data(), bytes);
    *out = buffer;
    return D3D_OK;
}

} // namespace

HRESULT D3DXLoadMeshFromXInMemory(const void* memory, DWORD sizeOfMemory, DWORD options,
                                  IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                                  ID3DXBuffer** materials, ID3DXBuffer** effectInstances,
                                  DWORD* numMaterials, ID3DXMesh** mesh) {
    if (memory == nullptr || device == nullptr || mesh == nullptr) return D3DERR_INVALIDCALL;
    if (effectInstances != nullptr) return E_NOTIMPL;
    const auto* bytes = static_cast<const unsigned char*>(memory);
    if (XTokenizer::IsCompressed(bytes, sizeOfMemory)) return E_NOTIMPL;
    const auto parsed = ParseXFile(bytes, sizeOfMemory);
    if (!parsed) return D3DXERR_INVALIDDATA;
    const XMeshAssembly assembly = AssembleXMeshes(*parsed);
    if (assembly.attributes.empty()) return D3DXERR_LOADEDMESHASNODATA;

    XMesh* created = nullptr;
    if (const HRESULT result = XMesh::Create(device, options, assembly, &created); FAILED(result))
        return result;
    ID3DXBuffer* materialBuffer = nullptr;
    ID3DXBuffer* adjacencyBuffer = nullptr;
    HRESULT result = D3D_OK;
    if (materials != nullptr) result = CreateMaterialBuffer(assembly.materials, &materialBuffer);
    if (SUCCEEDED(result) && adjacency != nullptr)
        result = CreateAdjacencyBuffer(assembly.adjacency, &adjacencyBuffer);
    if (FAILED(result)) {
        if (materialBuffer != nullptr) materialBuffer->Release();
        created->Release();
        return result;
    }
    if (materials != nullptr) *materials = materialBuffer;
    if (adjacency != nullptr) *adjacency = adjacencyBuffer;
    if (numMaterials != nullptr) *numMaterials = static_cast<DWORD>(assembly.materials.size());
    *mesh = created;
    return D3D_OK;
}
