#include "Platform/D3DX9/EffectSource.h"

#include <algorithm>

namespace {

// Deeper than any real effect nests; stops an include that includes itself.
constexpr int maxIncludeDepth = 32;

std::size_t SkipBlanks(const std::string& s, std::size_t at) {
    while (at < s.size() && (s[at] == ' ' || s[at] == '\t'))
        ++at;
    return at;
}

} // namespace

EffectSource::EffectSource(const std::string& fileName, const std::string& source,
                           IncludeHandler* includes) {
    fileNames.push_back(fileName);
    Append(0, source, includes, 0);
}

SourceLocation EffectSource::Locate(std::size_t offset) const {
    if (lines.empty()) return {fileNames.front(), 1};
    const auto after = std::upper_bound(
        lines.begin(), lines.end(), offset,
        [](std::size_t at, const LineOrigin& origin) { return at < origin.offset; });
    const LineOrigin& origin = after == lines.begin() ? lines.front() : *(after - 1);
    return {fileNames[origin.file], origin.line};
}

void EffectSource::AppendLine(std::size_t file, int line, const std::string& content) {
    lines.push_back({text.size(), file, line});
    text += content;
    text += '\n';
}

void EffectSource::Append(std::size_t file, const std::string& source, IncludeHandler* includes,
                          int depth) {
    int lineNumber = 0;
    std::size_t start = 0;
    while (start < source.size()) {
        std::size_t end = source.find('\n', start);
        if (end == std::string::npos) end = source.size();
        std::string line = source.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        start = end + 1;
        ++lineNumber;

        std::size_t at = SkipBlanks(line, 0);
        if (line.compare(at, 8, "#include") != 0) {
            AppendLine(file, lineNumber, line);
            continue;
        }
        const SourceLocation here{fileNames[file], lineNumber};
        at = SkipBlanks(line, at + 8);
        const std::size_t close =
            at < line.size() && line[at] == '"' ? line.find('"', at + 1) : std::string::npos;
        if (close == std::string::npos) throw EffectError(here, "#include expects \"file name\"");
        const std::string name = line.substr(at + 1, close - at - 1);
        if (depth >= maxIncludeDepth)
            throw EffectError(here, "includes nested too deeply at '" + name + "'");
        const std::optional<std::string> included =
            includes != nullptr ? includes->Open(name) : std::nullopt;
        if (!included) throw EffectError(here, "cannot open include file '" + name + "'");
        // The directive's line stays, empty, so that the including file keeps its numbering.
        AppendLine(file, lineNumber, "");
        fileNames.push_back(name);
        Append(fileNames.size() - 1, *included, includes, depth + 1);
    }
}
