// Appends little-endian fields to a growing byte buffer, and patches fields written earlier
// (parapointers are only known once the block they point at is placed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

class ByteWriter {
public:
    std::size_t Size() const { return bytes.size(); }
    std::vector<std::uint8_t> Take() { return std::move(bytes); }

    void U8(std::uint8_t value) { bytes.push_back(value); }
    void U16(std::uint16_t value) { Put(bytes.size(), value, 2, true); }
    void U32(std::uint32_t value) { Put(bytes.size(), value, 4, true); }
    void Zeros(std::size_t count) { bytes.insert(bytes.end(), count, 0); }
    void Append(const std::vector<std::uint8_t>& block) {
        bytes.insert(bytes.end(), block.begin(), block.end());
    }
    // Writes text into a field of fixed width, cut short or padded with zeros.
    void Text(std::string_view text, std::size_t width) {
        for (std::size_t i = 0; i < width; ++i)
            U8(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
    }

    void PatchU16(std::size_t offset, std::uint16_t value) { Put(offset, value, 2, false); }
    void PatchU32(std::size_t offset, std::uint32_t value) { Put(offset, value, 4, false); }

private:
    void Put(std::size_t offset, std::uint32_t value, std::size_t width, bool append) {
        if (append) bytes.resize(bytes.size() + width);
        for (std::size_t i = 0; i < width; ++i)
            bytes.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
    }

    std::vector<std::uint8_t> bytes;
};
