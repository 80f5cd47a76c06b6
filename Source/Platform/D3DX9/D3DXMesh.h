// Static triangle meshes of D3DX 9 read from DirectX X files in memory, text ("xof 0303txt")
// or binary ("xof 0303bin"), with 32- or 64-bit floats.
//
// What the loader makes of a file:
// - Every Mesh object of the file (top level or inside frames, at any depth) goes into one mesh,
//   in file order; frame transforms are not applied: positions and normals are the file's own.
// - Polygons are fanned into triangles around their first corner, in the file's winding.
// - Vertex i of the file's first mesh is vertex i of the result, with its texture coordinates
//   and the normal of its first use; a vertex that the faces use with other normals is copied
//   once per further normal, after the file's vertices. Later meshes follow the same way.
// - The vertex layout is always position, normal, one texture coordinate pair (FVF 0x112);
//   a file without normals or coordinates gives zeros.
// - Faces are sorted by material (the subset id), keeping the file's order inside a subset.
//   Each mesh's materials follow those of the meshes before it; a mesh without a material list
//   gets one white material.
// - Anything malformed, truncated or out of range (counts that the data does not hold, indices
//   past their arrays, nesting deeper than 64) gives D3DXERR_INVALIDDATA and no mesh; a file
//   without faces gives D3DXERR_LOADEDMESHASNODATA, a compressed one ("tzip", "bzip") E_NOTIMPL.
// - Materials: the file's face colour is the diffuse colour; the ambient colour is (0, 0, 0, 1)
//   and the specular and emissive colours have alpha 1.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXEffect.h"

struct D3DCOLORVALUE {
    float r, g, b, a;
};

struct D3DMATERIAL9 {
    D3DCOLORVALUE Diffuse;
    D3DCOLORVALUE Ambient;
    D3DCOLORVALUE Specular;
    D3DCOLORVALUE Emissive;
    float Power;
};

// An entry of the material buffer; the texture name (null when none) lies in the same buffer.
struct D3DXMATERIAL {
    D3DMATERIAL9 MatD3D;
    char* pTextureFilename;
};

struct D3DXATTRIBUTERANGE {
    DWORD AttribId;
    DWORD FaceStart;
    DWORD FaceCount;
    DWORD VertexStart;
    DWORD VertexCount;
};

constexpr DWORD D3DFVF_XYZ = 0x002;
constexpr DWORD D3DFVF_NORMAL = 0x010;
constexpr DWORD D3DFVF_TEX1 = 0x100;
constexpr UINT MAX_FVF_DECL_SIZE = MAXD3DDECLLENGTH + 1;

// Mesh options: index size and the pools of the vertex and index buffers.
constexpr DWORD D3DXMESH_32BIT = 0x001;
constexpr DWORD D3DXMESH_VB_SYSTEMMEM = 0x010;
constexpr DWORD D3DXMESH_VB_MANAGED = 0x020;
constexpr DWORD D3DXMESH_IB_SYSTEMMEM = 0x100;
constexpr DWORD D3DXMESH_IB_MANAGED = 0x200;
constexpr DWORD D3DXMESH_SYSTEMMEM = D3DXMESH_VB_SYSTEMMEM | D3DXMESH_IB_SYSTEMMEM;
constexpr DWORD D3DXMESH_MANAGED = D3DXMESH_VB_MANAGED | D3DXMESH_IB_MANAGED;

class ID3DXMesh : public Unknown {
public:
    // Draws the faces of one subset; a subset without faces draws nothing.
    virtual HRESULT DrawSubset(DWORD attribId) = 0;
    virtual DWORD GetNumFaces() = 0;
    virtual DWORD GetNumVertices() = 0;
    virtual DWORD GetFVF() = 0;
    virtual HRESULT GetDeclaration(D3DVERTEXELEMENT9 declaration[MAX_FVF_DECL_SIZE]) = 0;
    virtual DWORD GetNumBytesPerVertex() = 0;
    virtual DWORD GetOptions() = 0;
    virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
    // With references added.
    virtual HRESULT GetVertexBuffer(IDirect3DVertexBuffer9** vertexBuffer) = 0;
    virtual HRESULT GetIndexBuffer(IDirect3DIndexBuffer9** indexBuffer) = 0;
    virtual HRESULT LockVertexBuffer(DWORD flags, void** data) = 0;
    virtual HRESULT UnlockVertexBuffer() = 0;
    virtual HRESULT LockIndexBuffer(DWORD flags, void** data) = 0;
    virtual HRESULT UnlockIndexBuffer() = 0;
    // One subset id per face, in face order.
    virtual HRESULT LockAttributeBuffer(DWORD flags, DWORD** data) = 0;
    virtual HRESULT UnlockAttributeBuffer() = 0;
    // A null table asks for the number of entries only.
    virtual HRESULT GetAttributeTable(D3DXATTRIBUTERANGE* table, DWORD* size) = 0;
};

// adjacency (3 DWORDs a face: the face across each edge, 0xFFFFFFFF for none, edges joined
// where the file's faces share vertex indices), materials (D3DXMATERIAL array), effectInstances
// (not supported: a non-null request gives E_NOTIMPL) and numMaterials may each be null.
HRESULT D3DXLoadMeshFromXInMemory(const void* memory, DWORD sizeOfMemory, DWORD options,
                                  IDirect3DDevice9* device, ID3DXBuffer** adjacency,
                                  ID3DXBuffer** materials, ID3DXBuffer** effectInstances,
                                  DWORD* numMaterials, ID3DXMesh** mesh);
