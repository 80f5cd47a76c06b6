#include "RawMeshWriter/RawMeshWriter.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace {

// The sizes of the Direct3D declaration types 0 to 16.
constexpr std::uint32_t kTypeSizes[] = {4, 8, 12, 16, 4, 4, 4, 8, 4, 4, 8, 4, 8, 4, 4, 4, 8};

void Check(const RawMeshContent& mesh) {
    if (mesh.elements.empty()) throw std::invalid_argument("a raw mesh needs a vertex element");
    for (const RawVertexElement& element : mesh.elements) {
        if (element.stream != 0 || element.type >= std::size(kTypeSizes) ||
            element.offset + kTypeSizes[element.type] > mesh.vertexStride)
            throw std::invalid_argument("a vertex element lies outside the vertex in stream 0");
    }
    // The data file cannot tell an empty entry from a missing one.
    if (mesh.vertices.empty() || mesh.vertices.size() % mesh.vertexStride != 0)
        throw std::invalid_argument("the vertex bytes are not whole vertices");
    if (mesh.indices.empty() || mesh.indices.size() % 3 != 0)
        throw std::invalid_argument("the indices are not whole triangles");
    const std::size_t vertexCount = mesh.vertices.size() / mesh.vertexStride;
    for (const std::uint32_t index : mesh.indices)
        if (index >= vertexCount) throw std::invalid_argument("an index is past the last vertex");
}

void PutLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

} // namespace

std::map<std::string, std::vector<std::uint8_t>> RawMeshWriter::Encode(const RawMeshContent& mesh) {
    Check(mesh);
    char info[96];
    const int length = std::snprintf(info, sizeof info, "Verts:%zx\nBytesPrVert:%x\nFaces:%zx\n",
                                     mesh.vertices.size() / mesh.vertexStride, mesh.vertexStride,
                                     mesh.indices.size() / 3);
    std::vector<std::uint8_t> declaration;
    for (const RawVertexElement& element : mesh.elements) {
        PutLittleEndian(declaration, element.stream, 2);
        PutLittleEndian(declaration, element.offset, 2);
        for (const std::uint8_t byte :
             {element.type, element.method, element.usage, element.usageIndex})
            declaration.push_back(byte);
    }
    std::vector<std::uint8_t> indices;
    indices.reserve(mesh.indices.size() * 4);
    for (const std::uint32_t index : mesh.indices)
        PutLittleEndian(indices, index, 4);
    return {{".nfo", std::vector<std::uint8_t>(info, info + length)},
            {".decl", std::move(declaration)},
            {".vb", mesh.vertices},
            {".ib", std::move(indices)}};
}

void RawMeshWriter::Write(const std::filesystem::path& base, const RawMeshContent& mesh) {
    for (const auto& [extension, bytes] : Encode(mesh)) {
        std::filesystem::path file = base;
        file += extension;
        std::ofstream out(file, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + file.string());
    }
}
