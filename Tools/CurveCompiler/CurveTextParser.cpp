#include "CurveCompiler/CurveTextParser.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace {

struct ParsedCurve {
    CurveDefinition definition;
    std::vector<bool> automatic; // per key: tangents still to be computed
};

std::vector<std::string_view> Tokens(std::string_view line) {
    line = line.substr(0, line.find('#'));
    std::vector<std::string_view> tokens;
    constexpr std::string_view blanks = " \t\r\v\f";
    for (std::size_t start = line.find_first_not_of(blanks); start != std::string_view::npos;) {
        const std::size_t end = std::min(line.find_first_of(blanks, start), line.size());
        tokens.push_back(line.substr(start, end - start));
        start = line.find_first_not_of(blanks, end);
    }
    return tokens;
}

std::optional<float> FiniteNumber(std::string_view token) {
    if (token.size() > 1 && token[0] == '+' && token[1] != '-') token.remove_prefix(1);
    float number = 0.0f;
    const auto [end, error] = std::from_chars(token.data(), token.data() + token.size(), number);
    if (error != std::errc() || end != token.data() + token.size() || !std::isfinite(number))
        return std::nullopt;
    return number;
}

bool UsableAsFileName(std::string_view name) {
    return name.size() <= maxCurveNameLength && name != "." && name != ".." &&
           name.find_first_of("/\\") == std::string_view::npos;
}

void FillAutomaticTangents(ParsedCurve& curve) {
    std::vector<CurveKey>& keys = curve.definition.keys;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (!curve.automatic[i]) continue;
        float slope = 0.0f;
        if (i > 0 && i + 1 < keys.size())
            slope = (keys[i + 1].value - keys[i - 1].value) / (keys[i + 1].time - keys[i - 1].time);
        keys[i].inTangent = keys[i].outTangent = slope;
    }
}

class Parser {
public:
    explicit Parser(const std::string& source) : sourceName(source) {}

    void Line(std::string_view line, std::size_t lineNumber) {
        const std::vector<std::string_view> tokens = Tokens(line);
        if (tokens.empty()) return;
        const std::string at = sourceName + ":" + std::to_string(lineNumber);
        if (tokens[0] == "curve")
            Header(tokens, at);
        else
            Key(tokens, at);
    }

    std::vector<CurveDefinition> Finish() {
        EndCurve();
        return std::move(curves);
    }

private:
    void Header(const std::vector<std::string_view>& tokens, const std::string& at) {
        if (tokens.size() != 2) Fail(at, "expected \"curve <name>\"");
        const std::string name(tokens[1]);
        if (!UsableAsFileName(name))
            Fail(at, "curve name \"" + name +
                         "\" cannot name a file (no '/' or '\\', not \".\" "
                         "or \"..\", at most " +
                         std::to_string(maxCurveNameLength) + " bytes)");
        EndCurve();
        for (const CurveDefinition& earlier : curves)
            if (earlier.name == name)
                Fail(at, "curve \"" + name + "\" is already defined at " + earlier.origin);
        current = ParsedCurve{CurveDefinition{name, at, {}}, {}};
    }

    void Key(const std::vector<std::string_view>& tokens, const std::string& at) {
        if (!current) Fail(at, "a key before any \"curve <name>\" line");
        if (tokens.size() < 2 || tokens.size() > 4)
            Fail(at, "expected \"time value [tangent | inTangent outTangent]\"");
        float numbers[4] = {};
        for (std::size_t i = 0; i < tokens.size(); ++i) {
            const std::optional<float> number = FiniteNumber(tokens[i]);
            if (!number)
                Fail(at, std::string(1, '"').append(tokens[i]) + "\" is not a finite number");
            numbers[i] = *number;
        }
        std::vector<CurveKey>& keys = current->definition.keys;
        if (!keys.empty() && numbers[0] <= keys.back().time)
            Fail(at, "key time " + std::string(tokens[0]) + " does not follow the previous key's");
        const float in = numbers[2];
        const float out = tokens.size() == 4 ? numbers[3] : in;
        keys.push_back(CurveKey{numbers[0], numbers[1], in, out});
        current->automatic.push_back(tokens.size() == 2);
    }

    void EndCurve() {
        if (!current) return;
        if (current->definition.keys.empty())
            Fail(current->definition.origin,
                 "curve \"" + current->definition.name + "\" has no keys");
        FillAutomaticTangents(*current);
        curves.push_back(std::move(current->definition));
        current.reset();
    }

    [[noreturn]] static void Fail(const std::string& at, const std::string& message) {
        throw CurveSyntaxError(at + ": " + message);
    }

    std::string sourceName;
    std::vector<CurveDefinition> curves;
    std::optional<ParsedCurve> current;
};

} // namespace

std::vector<CurveDefinition> ParseCurveText(std::string_view text, const std::string& sourceName) {
    Parser parser(sourceName);
    std::size_t lineNumber = 1;
    for (std::size_t start = 0; start <= text.size(); ++lineNumber) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        parser.Line(text.substr(start, end - start), lineNumber);
        start = end + 1;
    }
    return parser.Finish();
}
