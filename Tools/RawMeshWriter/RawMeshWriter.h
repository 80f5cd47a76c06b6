// A raw mesh as the program loads it: a vertex declaration of 8-byte elements (stored without
// the end marker), the vertex bytes in that layout and three 32-bit indices per triangle, all
// little-endian, with the counts in a text entry.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

struct RawVertexElement {
    std::uint16_t stream = 0;
    std::uint16_t offset = 0;
    std::uint8_t type = 0; // Direct3D declaration type: 0..3 FLOAT1..4, 4 D3DCOLOR, ...
    std::uint8_t method = 0;
    std::uint8_t usage = 0; // Direct3D declaration usage: 0 POSITION, 3 NORMAL, 5 TEXCOORD, ...
    std::uint8_t usageIndex = 0;
};

struct RawMeshContent {
    std::vector<RawVertexElement> elements;
    std::uint32_t vertexStride = 0;
    std::vector<std::uint8_t> vertices; // vertex count x vertexStride bytes
    std::vector<std::uint32_t> indices; // a triangle list
};

class RawMeshWriter {
public:
    // The four entries' contents by extension (".nfo", ".decl", ".vb", ".ib"). Throws
    // std::invalid_argument for content the loader would refuse: no element, an element outside
    // the vertex or stream 0, no vertex or vertex bytes that are not whole vertices, no triangle
    // or an index count that is not whole triangles, or an index past the last vertex.
    static std::map<std::string, std::vector<std::uint8_t>> Encode(const RawMeshContent& mesh);
    // Writes base + extension for each entry, e.g. Generated/Data/Humanoid.nfo.
    static void Write(const std::filesystem::path& base, const RawMeshContent& mesh);
};
