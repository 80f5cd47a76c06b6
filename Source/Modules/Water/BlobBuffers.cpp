#include "Modules/Water/BlobBuffers.h"

#include "Framework/ReleaseAndClear.h"
#include "Modules/Water/BlobLayout.h"
#include "Modules/Water/BlobTargets.h"
#include "Modules/Water/WaterBuffers.h"

#include <array>
#include <cstdint>
#include <vector>

namespace {

constexpr UINT kVertices = 4 * WaterBlobs::kBlobCount;
constexpr UINT kPositionStride = 12, kColourStride = 4, kCornerStride = 8;

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {1, 0, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {2, 0, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

} // namespace

BlobBuffers::~BlobBuffers() {
    Release();
}

void BlobBuffers::Create() {
    using namespace WaterBuffers;
    positions = CreateVertexBuffer(kVertices * kPositionStride, true);
    colours = CreateVertexBuffer(kVertices * kColourStride, false);
    corners = CreateVertexBuffer(kVertices * kCornerStride, false);
    indices = CreateIndexBuffer(6 * WaterBlobs::kBlobCount * 4, D3DFMT_INDEX32);
    declaration = CreateDeclaration(kLayout);

    // The stamp adds into the height's blue channel.
    const std::vector<D3DCOLOR> blue(kVertices, D3DCOLOR_ARGB(255, 0, 0, 255));
    Upload(colours, blue.data(), kVertices * kColourStride, 0);
    std::vector<D3DXVECTOR2> local;
    std::vector<std::uint32_t> triangles;
    for (std::uint32_t k = 0; k < WaterBlobs::kBlobCount; ++k) {
        local.insert(local.end(), {{-1.0f, -1.0f}, {1.0f, -1.0f}, {1.0f, 1.0f}, {-1.0f, 1.0f}});
        triangles.insert(triangles.end(),
                         {4 * k, 4 * k + 1, 4 * k + 2, 4 * k, 4 * k + 2, 4 * k + 3});
    }
    Upload(corners, local.data(), kVertices * kCornerStride, 0);
    Upload(indices, triangles.data(), static_cast<UINT>(triangles.size() * 4));
}

void BlobBuffers::Release() {
    ReleaseAndClear(declaration);
    ReleaseAndClear(indices);
    ReleaseAndClear(corners);
    ReleaseAndClear(colours);
    ReleaseAndClear(positions);
}

void BlobBuffers::WritePositions(float tau, float beat) {
    std::array<D3DXVECTOR3, kVertices> written;
    WaterBlobs::WriteBlobCorners(tau, beat, written.data());
    WaterBuffers::Upload(positions, written.data(), kVertices * kPositionStride, D3DLOCK_DISCARD);
}

void BlobBuffers::Draw(ID3DXEffect* effect) {
    WaterBuffers::DrawIndexedTriangles(
        effect, declaration,
        {{positions, kPositionStride}, {colours, kColourStride}, {corners, kCornerStride}}, indices,
        kVertices, 2 * WaterBlobs::kBlobCount);
}
