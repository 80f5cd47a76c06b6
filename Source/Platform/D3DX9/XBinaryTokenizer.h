// Tokens of the binary encoding: little-endian 16-bit token codes, some followed by records
// (names, strings, integers, GUIDs, integer and float lists).
#pragma once

#include "Platform/D3DX9/XFileTokenizer.h"

#include <cstdint>

class XBinaryTokenizer final : public XTokenizer {
public:
    XBinaryTokenizer(const unsigned char* begin, const unsigned char* stop, bool doubles)
        : position(begin), end(stop), floatBytes(doubles ? 8 : 4) {}
    XToken Next() override;
    std::size_t Remaining() const override { return static_cast<std::size_t>(end - position); }

private:
    bool Read(void* out, std::size_t bytes);
    bool ReadWord(std::uint16_t* value) { return Read(value, 2); }
    bool ReadDword(std::uint32_t* value) { return Read(value, 4); }
    XToken ReadListElement();
    XToken ReadText(XTokenKind kind);

    const unsigned char* position;
    const unsigned char* end;
    const std::size_t floatBytes;
    // The elements still to come of the current list.
    std::uint32_t listRemaining = 0;
    bool listOfFloats = false;
};
