// Errors of the effect compiler.
//
// Every message has the form of a compiler's error buffer line:
//     file(line): error: text
// where file is the name the effect or include was opened under and line counts from 1 in that
// file, so a message points into an include as precisely as into the effect itself.
#pragma once

#include <stdexcept>
#include <string>

struct SourceLocation {
    std::string file;
    int line = 0;
};

class EffectError : public std::runtime_error {
public:
    EffectError(const SourceLocation& where, const std::string& text)
        : std::runtime_error(where.file + "(" + std::to_string(where.line) + "): error: " + text),
          location(where) {}

    SourceLocation location;
};
