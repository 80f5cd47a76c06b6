#include "Platform/D3DX9/XBinaryTokenizer.h"

#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "binary X files are little-endian");

namespace {

enum BinaryToken : std::uint16_t {
    kName = 1,
    kString = 2,
    kInteger = 3,
    kGuid = 5,
    kIntegerList = 6,
    kFloatList = 7,
    kOpenBrace = 10,
    kCloseBrace = 11,
    kOpenParen = 12,
    kCloseAngle = 17,
    kDot = 18,
    kComma = 19,
    kSemicolon = 20,
    kTemplate = 31,
    kFirstTypeKeyword = 40, // WORD, DWORD, FLOAT, ..., ARRAY
    kLastTypeKeyword = 52,
};

constexpr std::size_t kGuidBytes = 16;

XToken Simple(XTokenKind kind) {
    XToken token;
    token.kind = kind;
    return token;
}

XToken Integer(std::uint32_t value) {
    XToken token;
    token.kind = XTokenKind::Number;
    token.integer = value;
    token.isInteger = true;
    token.real = static_cast<float>(value);
    return token;
}

} // namespace

bool XBinaryTokenizer::Read(void* out, std::size_t bytes) {
    if (Remaining() < bytes) return false;
    std::memcpy(out, position, bytes);
    position += bytes;
    return true;
}

XToken XBinaryTokenizer::ReadListElement() {
    --listRemaining;
    if (!listOfFloats) {
        std::uint32_t value = 0;
        return ReadDword(&value) ? Integer(value) : Simple(XTokenKind::Invalid);
    }
    XToken token;
    token.kind = XTokenKind::Number;
    if (floatBytes == 4) {
        if (!Read(&token.real, 4)) return Simple(XTokenKind::Invalid);
    } else {
        double value = 0.0;
        if (!Read(&value, 8)) return Simple(XTokenKind::Invalid);
        token.real = static_cast<float>(value);
    }
    return token;
}

XToken XBinaryTokenizer::ReadText(XTokenKind kind) {
    std::uint32_t length = 0;
    if (!ReadDword(&length) || Remaining() < length) return Simple(XTokenKind::Invalid);
    XToken token;
    token.kind = kind;
    token.text.assign(reinterpret_cast<const char*>(position), length);
    position += length;
    if (kind == XTokenKind::String) {
        // The terminator: a comma or semicolon, written as a 16-bit token or as the 32-bit
        // field that the format reference describes (its upper half zero, no token's code).
        std::uint16_t terminator = 0;
        if (!ReadWord(&terminator) || (terminator != kComma && terminator != kSemicolon))
            return Simple(XTokenKind::Invalid);
        if (Remaining() >= 2 && position[0] == 0 && position[1] == 0) position += 2;
    }
    return token;
}

XToken XBinaryTokenizer::Next() {
    if (listRemaining > 0) return ReadListElement();
    if (position == end) return Simple(XTokenKind::End);
    std::uint16_t code = 0;
    if (!ReadWord(&code)) return Simple(XTokenKind::Invalid);
    switch (code) {
    case kName:
        return ReadText(XTokenKind::Name);
    case kString:
        return ReadText(XTokenKind::String);
    case kInteger: {
        std::uint32_t value = 0;
        return ReadDword(&value) ? Integer(value) : Simple(XTokenKind::Invalid);
    }
    case kGuid:
        if (Remaining() < kGuidBytes) return Simple(XTokenKind::Invalid);
        position += kGuidBytes;
        return Simple(XTokenKind::Guid);
    case kIntegerList:
    case kFloatList: {
        std::uint32_t count = 0;
        if (!ReadDword(&count)) return Simple(XTokenKind::Invalid);
        listOfFloats = code == kFloatList;
        const std::size_t elementBytes = listOfFloats ? floatBytes : 4;
        if (count > Remaining() / elementBytes) return Simple(XTokenKind::Invalid);
        listRemaining = count;
        // An empty list stands for nothing; the token after it follows.
        return count > 0 ? ReadListElement() : Next();
    }
    case kOpenBrace:
        return Simple(XTokenKind::OpenBrace);
    case kCloseBrace:
        return Simple(XTokenKind::CloseBrace);
    case kComma:
    case kSemicolon:
        return Simple(XTokenKind::Separator);
    case kTemplate: {
        XToken token;
        token.kind = XTokenKind::Name;
        token.text = "template";
        return token;
    }
    default:
        if ((code >= kOpenParen && code <= kDot) ||
            (code >= kFirstTypeKeyword && code <= kLastTypeKeyword))
            return Simple(XTokenKind::Other);
        return Simple(XTokenKind::Invalid);
    }
}
