#include "Framework/Curves/AnimKey.h"

#include <bit>
#include <cstdint>

namespace {

float LittleEndianFloat(const unsigned char* bytes) {
    const std::uint32_t bits = std::uint32_t{bytes[0]} | std::uint32_t{bytes[1]} << 8 |
                               std::uint32_t{bytes[2]} << 16 | std::uint32_t{bytes[3]} << 24;
    return std::bit_cast<float>(bits);
}

} // namespace

std::vector<AnimKey> DecodeAnimKeys(std::span<const unsigned char> bytes) {
    std::vector<AnimKey> keys(bytes.size() / AnimKey::byteSize);
    const unsigned char* field = bytes.data();
    for (AnimKey& key : keys) {
        key.time = LittleEndianFloat(field);
        key.value = LittleEndianFloat(field + 4);
        key.inTangent = LittleEndianFloat(field + 8);
        key.outTangent = LittleEndianFloat(field + 12);
        field += AnimKey::byteSize;
    }
    return keys;
}
