#include "Platform/D3DX9/XMeshAssembly.h"

#include <algorithm>
#include <map>
#include <unordered_map>
#include <utility>

namespace {

constexpr std::uint32_t kNoNormal = 0xFFFFFFFFu;

struct Triangle {
    std::uint32_t vertices[3];
    std::uint32_t points[3]; // the file's vertex (position) indices across all meshes
    std::uint32_t attribute;
};

// The output vertices of one mesh: vertex i of the file first, copies for further normals.
class VertexSplitter {
public:
    VertexSplitter(const XMeshData& source, std::vector<XMeshVertex>& vertices)
        : mesh(source), out(vertices), base(static_cast<std::uint32_t>(out.size())),
          firstNormal(mesh.positions.size() / 3, kNoNormal) {
        const std::size_t count = mesh.positions.size() / 3;
        for (std::size_t i = 0; i < count; ++i) {
            XMeshVertex vertex{};
            std::copy_n(&mesh.positions[3 * i], 3, vertex.position);
            if (!mesh.texCoords.empty()) std::copy_n(&mesh.texCoords[2 * i], 2, vertex.texCoord);
            out.push_back(vertex);
        }
    }

    std::uint32_t VertexFor(std::uint32_t point, std::uint32_t normal) {
        if (normal == kNoNormal) return base + point;
        if (firstNormal[point] == kNoNormal) {
            firstNormal[point] = normal;
            SetNormal(out[base + point], normal);
        }
        if (firstNormal[point] == normal) return base + point;
        const std::uint64_t key = (static_cast<std::uint64_t>(point) << 32) | normal;
        const auto [found, added] = copies.try_emplace(key, static_cast<std::uint32_t>(out.size()));
        if (added) {
            XMeshVertex copy = out[base + point];
            SetNormal(copy, normal);
            out.push_back(copy);
        }
        return found->second;
    }

private:
    void SetNormal(XMeshVertex& vertex, std::uint32_t normal) const {
        std::copy_n(&mesh.normals[3 * normal], 3, vertex.normal);
    }

    const XMeshData& mesh;
    std::vector<XMeshVertex>& out;
    const std::uint32_t base;
    std::vector<std::uint32_t> firstNormal;
    std::unordered_map<std::uint64_t, std::uint32_t> copies;
};

void AddSubsets(XMeshAssembly& mesh) {
    for (std::uint32_t face = 0; face < mesh.attributes.size();) {
        XMeshSubset subset{mesh.attributes[face], face, 0, 0xFFFFFFFFu, 0};
        std::uint32_t highest = 0;
        for (; face < mesh.attributes.size() && mesh.attributes[face] == subset.attribId; ++face) {
            for (int corner = 0; corner < 3; ++corner) {
                const std::uint32_t vertex = mesh.indices[3 * face + corner];
                subset.vertexStart = std::min(subset.vertexStart, vertex);
                highest = std::max(highest, vertex);
            }
            ++subset.faceCount;
        }
        subset.vertexCount = highest - subset.vertexStart + 1;
        mesh.subsets.push_back(subset);
    }
}

void AddAdjacency(XMeshAssembly& mesh, const std::vector<Triangle>& triangles) {
    std::map<std::pair<std::uint32_t, std::uint32_t>, std::vector<std::uint32_t>> facesOfEdge;
    auto edge = [&](std::uint32_t face, int corner) -> std::pair<std::uint32_t, std::uint32_t> {
        const std::uint32_t a = triangles[face].points[corner];
        const std::uint32_t b = triangles[face].points[(corner + 1) % 3];
        return std::minmax(a, b);
    };
    for (std::uint32_t face = 0; face < triangles.size(); ++face)
        for (int corner = 0; corner < 3; ++corner)
            facesOfEdge[edge(face, corner)].push_back(face);
    mesh.adjacency.assign(3 * triangles.size(), kNoAdjacentFace);
    for (std::uint32_t face = 0; face < triangles.size(); ++face)
        for (int corner = 0; corner < 3; ++corner)
            for (const std::uint32_t other : facesOfEdge[edge(face, corner)])
                if (other != face) {
                    mesh.adjacency[3 * face + corner] = other;
                    break;
                }
}

} // namespace

XMeshAssembly AssembleXMeshes(const std::vector<XMeshData>& meshes) {
    XMeshAssembly result;
    std::vector<Triangle> triangles;
    std::uint32_t pointBase = 0;
    for (const XMeshData& mesh : meshes) {
        const auto materialBase = static_cast<std::uint32_t>(result.materials.size());
        if (mesh.materials.empty())
            result.materials.push_back(XMaterialData{}); // white, no texture
        else
            result.materials.insert(result.materials.end(), mesh.materials.begin(),
                                    mesh.materials.end());
        VertexSplitter splitter(mesh, result.vertices);
        const bool hasNormals = !mesh.faceNormalIndices.empty();
        std::size_t corner = 0;
        for (std::size_t face = 0; face < mesh.faceSizes.size(); ++face) {
            const std::uint32_t size = mesh.faceSizes[face];
            auto vertexAt = [&](std::uint32_t i) {
                return splitter.VertexFor(mesh.faceIndices[corner + i],
                                          hasNormals ? mesh.faceNormalIndices[corner + i]
                                                     : kNoNormal);
            };
            const std::uint32_t attribute =
                materialBase + (mesh.faceMaterials.empty() ? 0 : mesh.faceMaterials[face]);
            const std::uint32_t first = vertexAt(0);
            std::uint32_t previous = vertexAt(1);
            for (std::uint32_t i = 2; i < size; ++i) {
                const std::uint32_t next = vertexAt(i);
                triangles.push_back({{first, previous, next},
                                     {pointBase + mesh.faceIndices[corner],
                                      pointBase + mesh.faceIndices[corner + i - 1],
                                      pointBase + mesh.faceIndices[corner + i]},
                                     attribute});
                previous = next;
            }
            corner += size;
        }
        pointBase += static_cast<std::uint32_t>(mesh.positions.size() / 3);
    }

    std::stable_sort(triangles.begin(), triangles.end(), [](const Triangle& a, const Triangle& b) {
        return a.attribute < b.attribute;
    });
    result.indices.reserve(3 * triangles.size());
    result.attributes.reserve(triangles.size());
    for (const Triangle& triangle : triangles) {
        result.indices.insert(result.indices.end(), triangle.vertices, triangle.vertices + 3);
        result.attributes.push_back(triangle.attribute);
    }
    AddSubsets(result);
    AddAdjacency(result, triangles);
    return result;
}
