#include "Modules/Water/TubeMesh.h"

#include "Framework/ReleaseAndClear.h"
#include "Modules/Water/WaterBuffers.h"

namespace {

constexpr UINT kVertices = TubeGeometry::kVertexCount;
constexpr UINT kPositionStride = 12, kShadeStride = 4, kTexCoordStride = 8, kNormalStride = 12;

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {1, 0, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {2, 0, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    {3, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    D3DDECL_END(),
};

} // namespace

TubeMesh::~TubeMesh() {
    Release();
}

void TubeMesh::Create() {
    using namespace WaterBuffers;
    positions = CreateVertexBuffer(kVertices * kPositionStride, true);
    shades = CreateVertexBuffer(kVertices * kShadeStride, true);
    texCoords = CreateVertexBuffer(kVertices * kTexCoordStride, false);
    normals = CreateVertexBuffer(kVertices * kNormalStride, false);
    const auto indexBytes = static_cast<UINT>(geometry.Indices().size() * 2);
    indices = CreateIndexBuffer(indexBytes, D3DFMT_INDEX16);
    declaration = CreateDeclaration(kLayout);
    Upload(texCoords, geometry.TexCoords().data(), kVertices * kTexCoordStride, 0);
    Upload(normals, geometry.Normals().data(), kVertices * kNormalStride, 0);
    Upload(indices, geometry.Indices().data(), indexBytes);
}

void TubeMesh::Release() {
    ReleaseAndClear(declaration);
    ReleaseAndClear(indices);
    ReleaseAndClear(normals);
    ReleaseAndClear(texCoords);
    ReleaseAndClear(shades);
    ReleaseAndClear(positions);
}

void TubeMesh::Update(float u) {
    geometry.Rebuild(u);
    WaterBuffers::Upload(positions, geometry.Positions().data(), kVertices * kPositionStride,
                         D3DLOCK_DISCARD);
    WaterBuffers::Upload(shades, geometry.Shades().data(), kVertices * kShadeStride,
                         D3DLOCK_DISCARD);
}

void TubeMesh::Draw(ID3DXEffect* effect) {
    WaterBuffers::DrawIndexedTriangles(effect, declaration,
                                       {{positions, kPositionStride},
                                        {shades, kShadeStride},
                                        {texCoords, kTexCoordStride},
                                        {normals, kNormalStride}},
                                       indices, kVertices, TubeGeometry::kTriangleCount);
}
