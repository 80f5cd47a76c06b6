// Tokens of the text encoding: names, quoted strings, numbers, GUIDs in angle brackets, braces
// and separators; "//" and "#" start comments that run to the end of the line.
#pragma once

#include "Platform/D3DX9/XFileTokenizer.h"

class XTextTokenizer final : public XTokenizer {
public:
    XTextTokenizer(const char* begin, const char* stop) : position(begin), end(stop) {}
    XToken Next() override;
    std::size_t Remaining() const override { return static_cast<std::size_t>(end - position); }

private:
    void SkipSpaceAndComments();
    XToken ReadNumber();
    XToken ReadName();
    XToken ReadString();
    XToken ReadGuid();

    const char* position;
    const char* end;
};
