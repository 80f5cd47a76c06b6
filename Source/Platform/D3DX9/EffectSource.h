// The text of an effect with its includes expanded in place, and where each line came from.
#pragma once

#include "Platform/D3DX9/EffectError.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Supplies the text of an include by the name written in `#include "name"`; no value when the
// include cannot be opened.
class IncludeHandler {
public:
    virtual ~IncludeHandler() = default;
    virtual std::optional<std::string> Open(const std::string& name) = 0;
};

class EffectSource {
public:
    // Expands every `#include "name"` line (nested includes too) through the handler; throws
    // EffectError at the include line when a name cannot be opened or includes nest too deep.
    EffectSource(const std::string& fileName, const std::string& text, IncludeHandler* includes);

    const std::string& Text() const { return text; }
    // The file and line of the character at an offset of Text().
    SourceLocation Locate(std::size_t offset) const;

private:
    struct LineOrigin {
        std::size_t offset; // of the line's first character in text
        std::size_t file;   // index into fileNames
        int line;
    };

    void Append(std::size_t file, const std::string& source, IncludeHandler* includes, int depth);
    void AppendLine(std::size_t file, int line, const std::string& content);

    std::string text;
    std::vector<std::string> fileNames;
    std::vector<LineOrigin> lines;
};
