// Turns the meshes an X file states into what a D3DX mesh holds: one vertex per distinct
// (vertex, normal) use, triangles fanned from the polygons and sorted by subset, the subsets'
// attribute table, their materials and the faces' adjacency.
#pragma once

#include "Platform/D3DX9/XFileParser.h"

#include <cstdint>
#include <vector>

struct XMeshVertex {
    float position[3];
    float normal[3];
    float texCoord[2];
};
static_assert(sizeof(XMeshVertex) == 32);

struct XMeshSubset {
    std::uint32_t attribId;
    std::uint32_t faceStart;
    std::uint32_t faceCount;
    std::uint32_t vertexStart;
    std::uint32_t vertexCount;
};

struct XMeshAssembly {
    std::vector<XMeshVertex> vertices;
    std::vector<std::uint32_t> indices;    // three a face, faces in subset order
    std::vector<std::uint32_t> attributes; // the subset of each face
    std::vector<XMeshSubset> subsets;      // in subset id order, only subsets with faces
    std::vector<XMaterialData> materials;  // one a subset id
    std::vector<std::uint32_t> adjacency;  // three a face: the face across edges 01, 12, 20
};

constexpr std::uint32_t kNoAdjacentFace = 0xFFFFFFFFu;

XMeshAssembly AssembleXMeshes(const std::vector<XMeshData>& meshes);
