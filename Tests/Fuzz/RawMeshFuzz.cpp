// libFuzzer target: the checks a raw mesh passes before it reaches the device. The input is
// split at its first zero byte into the ".nfo" text and the ".decl" bytes; when the text parses,
// the declaration is checked against its stride and the rest of the input against the counts as
// vertex and index bytes. Each entry is copied into a buffer of exactly its size, so that a read
// past it is a finding. Every fault must come out as a FrameworkEx.

#include "Framework/FrameworkEx.h"
#include "Framework/RawMeshFormat.h"

#include <algorithm>
#include <cstdint>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::uint8_t* split = std::find(data, data + size, 0);
    const std::vector<std::uint8_t> info(data, split);
    const std::vector<std::uint8_t> rest(split == data + size ? split : split + 1, data + size);
    try {
        const RawMeshInfo counts = RawMeshFormat::ParseInfo(info, "Fuzz.nfo");
        try {
            RawMeshFormat::ParseDeclaration(rest, counts.vertexStride, "Fuzz.decl");
        } catch (const FrameworkEx&) {
            // A damaged declaration is expected input.
        }
        RawMeshFormat::CheckVertices(counts, rest.size(), "Fuzz.vb");
        RawMeshFormat::CheckIndices(counts, rest, "Fuzz.ib");
    } catch (const FrameworkEx&) {
        // A damaged mesh is expected input.
    }
    return 0;
}
