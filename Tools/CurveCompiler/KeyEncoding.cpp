#include "CurveCompiler/KeyEncoding.h"

#include <bit>
#include <cstdint>

namespace {

void AppendLittleEndian(std::vector<unsigned char>& bytes, float number) {
    const auto bits = std::bit_cast<std::uint32_t>(number);
    for (int shift = 0; shift < 32; shift += 8)
        bytes.push_back(static_cast<unsigned char>(bits >> shift));
}

} // namespace

std::vector<unsigned char> EncodeKeys(const std::vector<CurveKey>& keys) {
    std::vector<unsigned char> bytes;
    bytes.reserve(keys.size() * 16);
    for (const CurveKey& key : keys) {
        AppendLittleEndian(bytes, key.time);
        AppendLittleEndian(bytes, key.value);
        AppendLittleEndian(bytes, key.inTangent);
        AppendLittleEndian(bytes, key.outTangent);
    }
    return bytes;
}
