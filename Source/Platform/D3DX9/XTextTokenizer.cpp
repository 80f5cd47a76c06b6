#include "Platform/D3DX9/XTextTokenizer.h"

#include <charconv>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsNameStart(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

bool IsNameChar(char c) {
    return IsNameStart(c) || IsDigit(c) || c == '-';
}

XToken Simple(XTokenKind kind) {
    XToken token;
    token.kind = kind;
    return token;
}

} // namespace

void XTextTokenizer::SkipSpaceAndComments() {
    while (position != end) {
        const char c = *position;
        const bool comment = c == '#' || (c == '/' && end - position > 1 && position[1] == '/');
        if (comment) {
            while (position != end && *position != '\n')
                ++position;
        } else if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v') {
            ++position;
        } else {
            return;
        }
    }
}

XToken XTextTokenizer::Next() {
    SkipSpaceAndComments();
    if (position == end) return Simple(XTokenKind::End);
    const char c = *position;
    const bool signedNumber = (c == '-' || c == '+') && end - position > 1 &&
                              (IsDigit(position[1]) || position[1] == '.');
    if (IsDigit(c) || c == '.' || signedNumber) return ReadNumber();
    if (IsNameStart(c)) return ReadName();
    if (c == '"') return ReadString();
    if (c == '<') return ReadGuid();
    ++position;
    switch (c) {
    case '{':
        return Simple(XTokenKind::OpenBrace);
    case '}':
        return Simple(XTokenKind::CloseBrace);
    case ',':
    case ';':
        return Simple(XTokenKind::Separator);
    case '[':
    case ']':
    case '(':
    case ')':
    case '>':
        return Simple(XTokenKind::Other);
    default:
        return Simple(XTokenKind::Invalid);
    }
}

// Integers also read as floats; from_chars rounds the decimal text to the nearest float, as the
// file's author meant it.
XToken XTextTokenizer::ReadNumber() {
    const char* start = position;
    if (*position == '-' || *position == '+') ++position;
    bool integral = true;
    while (position != end && IsDigit(*position))
        ++position;
    if (position != end && *position == '.') {
        integral = false;
        ++position;
        while (position != end && IsDigit(*position))
            ++position;
    }
    if (position != end && (*position == 'e' || *position == 'E')) {
        integral = false;
        ++position;
        if (position != end && (*position == '-' || *position == '+')) ++position;
        while (position != end && IsDigit(*position))
            ++position;
    }
    // A number runs into no name: "1.#QNAN" or "12abc" is not a number.
    if (position != end && (IsNameChar(*position) || *position == '.' || *position == '#'))
        return Simple(XTokenKind::Invalid);

    XToken token;
    token.kind = XTokenKind::Number;
    const char* digits = *start == '+' ? start + 1 : start;
    const auto [realEnd, realError] = std::from_chars(digits, position, token.real);
    if (realError != std::errc{} || realEnd != position) return Simple(XTokenKind::Invalid);
    if (integral && *start != '-') {
        const auto [intEnd, intError] = std::from_chars(digits, position, token.integer);
        token.isInteger = intError == std::errc{} && intEnd == position;
    }
    return token;
}

XToken XTextTokenizer::ReadName() {
    const char* start = position;
    while (position != end && IsNameChar(*position))
        ++position;
    XToken token;
    token.kind = XTokenKind::Name;
    token.text.assign(start, position);
    return token;
}

XToken XTextTokenizer::ReadString() {
    const char* start = ++position;
    while (position != end && *position != '"')
        ++position;
    if (position == end) return Simple(XTokenKind::Invalid);
    XToken token;
    token.kind = XTokenKind::String;
    token.text.assign(start, position);
    ++position;
    return token;
}

XToken XTextTokenizer::ReadGuid() {
    ++position;
    while (position != end && *position != '>') {
        const char c = *position;
        const bool hex = IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
        if (!hex && c != '-' && c != ' ' && c != '\t') return Simple(XTokenKind::Invalid);
        ++position;
    }
    if (position == end) return Simple(XTokenKind::Invalid);
    ++position;
    return Simple(XTokenKind::Guid);
}
