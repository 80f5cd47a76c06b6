// libFuzzer target: the X file reader and the mesh assembly on arbitrary bytes. Bad input must
// come out as no meshes; a mesh that comes out must be consistent: indices inside the vertices,
// faces sorted by subset and covered by the attribute table, one material per subset id.

#include "Platform/D3DX9/XFileParser.h"
#include "Platform/D3DX9/XMeshAssembly.h"

#include <cstdint>
#include <cstdlib>

namespace {

void Check(bool condition) {
    if (!condition) std::abort();
}

void CheckAssembly(const XMeshAssembly& mesh) {
    const std::size_t faces = mesh.attributes.size();
    Check(mesh.indices.size() == 3 * faces);
    Check(mesh.adjacency.size() == 3 * faces);
    for (const std::uint32_t index : mesh.indices)
        Check(index < mesh.vertices.size());
    for (const std::uint32_t face : mesh.adjacency)
        Check(face == kNoAdjacentFace || face < faces);
    std::size_t covered = 0;
    for (const XMeshSubset& subset : mesh.subsets) {
        Check(subset.faceStart == covered && subset.faceCount > 0);
        Check(subset.attribId < mesh.materials.size());
        for (std::uint32_t face = subset.faceStart; face < subset.faceStart + subset.faceCount;
             ++face)
            Check(mesh.attributes[face] == subset.attribId);
        covered += subset.faceCount;
    }
    Check(covered == faces);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto meshes = ParseXFile(data, size);
    if (meshes) CheckAssembly(AssembleXMeshes(*meshes));
    return 0;
}
