// Reads the meshes of an X file as the file states them: the Mesh objects with their normals,
// texture coordinates and material lists, at the top level or inside frames, in file order.
// Template declarations, frame transforms and objects of other templates are skipped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct XMaterialData {
    float faceColor[4] = {1.0f, 1.0f, 1.0f, 1.0f}; // red, green, blue, alpha
    float power = 0.0f;
    float specularColor[3] = {};
    float emissiveColor[3] = {};
    std::optional<std::string> textureFilename;
};

struct XMeshData {
    std::vector<float> positions; // three a vertex
    // Faces as polygons: the corner count of each face and their vertex indices, in order.
    std::vector<std::uint32_t> faceSizes;
    std::vector<std::uint32_t> faceIndices;
    std::vector<float> normals;                   // three a normal; empty when the mesh has none
    std::vector<std::uint32_t> faceNormalIndices; // one a corner, as faceIndices
    std::vector<float> texCoords;                 // two a vertex; empty when the mesh has none
    std::vector<std::uint32_t> faceMaterials;     // one a face; empty without a material list
    std::vector<XMaterialData> materials;
};

// The file's meshes, or nothing when the data is not a well-formed uncompressed X file.
std::optional<std::vector<XMeshData>> ParseXFile(const unsigned char* data, std::size_t size);
