// The tokens of a DirectX X file, the same for its text and binary encodings: a binary integer
// or float list comes out as one number token per element, and commas and semicolons as
// separators, so that one reader serves both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

enum class XTokenKind {
    End,
    Invalid, // malformed or truncated input
    Name,
    String,
    Number,
    Guid,
    OpenBrace,
    CloseBrace,
    Separator,
    Other, // punctuation and keywords that only template declarations use
};

struct XToken {
    XTokenKind kind = XTokenKind::End;
    std::string text; // names and strings
    float real = 0.0f;
    std::uint32_t integer = 0;
    bool isInteger = false; // a number that reads as a 32-bit unsigned integer
};

class XTokenizer {
public:
    virtual ~XTokenizer() = default;
    virtual XToken Next() = 0;
    // Bytes not yet read: no count that the rest of the file must hold can be larger.
    virtual std::size_t Remaining() const = 0;

    // A tokenizer for the body after the 16-byte header, or null when the header is not that of
    // an uncompressed X file of version 3.
    static std::unique_ptr<XTokenizer> Create(const unsigned char* data, std::size_t size);
    // The header names a compressed encoding ("tzip", "bzip").
    static bool IsCompressed(const unsigned char* data, std::size_t size);
};
