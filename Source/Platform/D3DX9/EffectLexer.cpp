#include "Platform/D3DX9/EffectLexer.h"

#include <cctype>

namespace {

bool IsIdentifierStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) || c == '_';
}

bool IsIdentifierChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || c == '_';
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

EffectLexer::EffectLexer(const EffectSource& effectSource)
    : source(effectSource), text(effectSource.Text()) {
    current = Scan();
}

EffectToken EffectLexer::Next() {
    EffectToken taken = current;
    current = Scan();
    return taken;
}

EffectToken EffectLexer::PeekSecond() {
    const std::size_t saved = position;
    const EffectToken second = Scan();
    position = saved;
    return second;
}

void EffectLexer::SkipSpaceAndComments() {
    while (position < text.size()) {
        const char c = text[position];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++position;
        } else if (text.compare(position, 2, "//") == 0) {
            const std::size_t end = text.find('\n', position);
            position = end == std::string::npos ? text.size() : end;
        } else if (text.compare(position, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", position + 2);
            if (end == std::string::npos)
                throw EffectError(source.Locate(position), "unterminated comment");
            position = end + 2;
        } else {
            return;
        }
    }
}

EffectToken EffectLexer::Scan() {
    SkipSpaceAndComments();
    EffectToken token;
    token.offset = position;
    if (position >= text.size()) return token;

    const char c = text[position];
    if (IsIdentifierStart(c)) {
        std::size_t end = position;
        while (end < text.size() && IsIdentifierChar(text[end]))
            ++end;
        token.kind = EffectToken::Kind::Identifier;
        token.text = text.substr(position, end - position);
        position = end;
    } else if (IsDigit(c) ||
               (c == '.' && position + 1 < text.size() && IsDigit(text[position + 1]))) {
        // Digits, hexadecimal digits, a point, an exponent and a suffix: the parser converts.
        std::size_t end = position;
        while (end < text.size() && (IsIdentifierChar(text[end]) || text[end] == '.' ||
                                     ((text[end] == '-' || text[end] == '+') &&
                                      (text[end - 1] == 'e' || text[end - 1] == 'E'))))
            ++end;
        token.kind = EffectToken::Kind::Number;
        token.text = text.substr(position, end - position);
        position = end;
    } else if (c == '"') {
        const std::size_t end = text.find_first_of("\"\n", position + 1);
        if (end == std::string::npos || text[end] != '"')
            throw EffectError(source.Locate(position), "unterminated string");
        token.kind = EffectToken::Kind::String;
        token.text = text.substr(position + 1, end - position - 1);
        position = end + 1;
    } else {
        token.kind = EffectToken::Kind::Symbol;
        token.text = std::string(1, c);
        ++position;
    }
    return token;
}

std::string EffectLexer::TakeBlock(const EffectToken& openingBrace) {
    // The look-ahead token was scanned past the brace; the body starts right after the brace.
    std::size_t at = openingBrace.offset + 1;
    const std::size_t start = at;
    int depth = 1;
    while (at < text.size()) {
        if (text.compare(at, 2, "//") == 0) {
            const std::size_t end = text.find('\n', at);
            at = end == std::string::npos ? text.size() : end;
            continue;
        }
        if (text.compare(at, 2, "/*") == 0) {
            const std::size_t end = text.find("*/", at + 2);
            if (end == std::string::npos) break;
            at = end + 2;
            continue;
        }
        if (text[at] == '{') ++depth;
        if (text[at] == '}' && --depth == 0) {
            position = at + 1;
            current = Scan();
            return text.substr(start, at - start);
        }
        ++at;
    }
    throw EffectError(source.Locate(openingBrace.offset), "'{' has no matching '}'");
}
