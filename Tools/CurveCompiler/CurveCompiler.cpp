#include "CurveCompiler/CurveCompiler.h"

#include "CurveCompiler/CurveTextParser.h"
#include "CurveCompiler/KeyEncoding.h"

#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>

namespace {

std::string ReadText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw std::runtime_error(file.string() + ": cannot be read");
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

} // namespace

std::vector<CurveDefinition> ReadCurveFiles(const std::vector<std::filesystem::path>& files) {
    std::vector<CurveDefinition> curves;
    std::map<std::string, std::string> origins;
    for (const std::filesystem::path& file : files) {
        for (CurveDefinition& curve : ParseCurveText(ReadText(file), file.string())) {
            const auto [earlier, added] = origins.emplace(curve.name, curve.origin);
            if (!added)
                throw CurveSyntaxError(curve.origin + ": curve \"" + curve.name +
                                       "\" is already defined at " + earlier->second);
            curves.push_back(std::move(curve));
        }
    }
    return curves;
}

void WriteCurveEntries(const std::vector<CurveDefinition>& curves,
                       const std::filesystem::path& outputDirectory) {
    std::filesystem::create_directories(outputDirectory);
    for (const CurveDefinition& curve : curves) {
        const std::filesystem::path file = outputDirectory / curve.name;
        const std::vector<unsigned char> bytes = EncodeKeys(curve.keys);
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error(file.string() + ": cannot be written");
    }
}
