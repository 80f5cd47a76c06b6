// Splits effect text into tokens, and hands function bodies over as raw GLSL text.
#pragma once

#include "Platform/D3DX9/EffectSource.h"

#include <cstddef>
#include <string>

struct EffectToken {
    enum class Kind { Identifier, Number, String, Symbol, End };
    Kind kind = Kind::End;
    std::string text; // a string's text is without its quotes
    std::size_t offset = 0;
};

class EffectLexer {
public:
    explicit EffectLexer(const EffectSource& source);

    const EffectToken& Peek() const { return current; }
    // The token after Peek(), for the one place where the grammar needs two tokens of look-ahead.
    EffectToken PeekSecond();
    EffectToken Next();
    SourceLocation Where(const EffectToken& token) const { return source.Locate(token.offset); }

    // Called with '{' as the token just taken: returns the text up to the matching '}' (which is
    // consumed, not returned), comments included, so that the body reaches GLSL as written.
    std::string TakeBlock(const EffectToken& openingBrace);

private:
    EffectToken Scan();
    void SkipSpaceAndComments();

    const EffectSource& source;
    const std::string& text;
    std::size_t position = 0;
    EffectToken current;
};
