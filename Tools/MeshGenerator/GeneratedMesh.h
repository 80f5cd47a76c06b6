// A mesh as the generators build it: vertices with one normal and one texture coordinate pair
// each, polygon faces wound clockwise seen from the front (Direct3D's front faces), and one
// material index per face.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct GeneratedMaterial {
    std::array<float, 4> faceColor{1.0f, 1.0f, 1.0f, 1.0f};
    float power = 0.0f;
    std::array<float, 3> specularColor{};
    std::array<float, 3> emissiveColor{};
    std::optional<std::string> textureFilename;
};

struct GeneratedMesh {
    std::vector<std::array<float, 3>> positions;
    std::vector<std::array<float, 3>> normals;   // one a vertex
    std::vector<std::array<float, 2>> texCoords; // one a vertex
    std::vector<std::vector<std::uint32_t>> faces;
    std::vector<std::uint32_t> faceMaterials;
    std::vector<GeneratedMaterial> materials;

    std::uint32_t AddVertex(const std::array<float, 3>& position,
                            const std::array<float, 3>& normal,
                            const std::array<float, 2>& texCoord) {
        positions.push_back(position);
        normals.push_back(normal);
        texCoords.push_back(texCoord);
        return static_cast<std::uint32_t>(positions.size() - 1);
    }
    void AddFace(std::vector<std::uint32_t> corners, std::uint32_t material) {
        faces.push_back(std::move(corners));
        faceMaterials.push_back(material);
    }
};
