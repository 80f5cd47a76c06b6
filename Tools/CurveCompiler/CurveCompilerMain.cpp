// curvecompiler --output DIR FILE...: compiles curve text files into binary curve entries.
#include "CurveCompiler/CurveCompiler.h"

#include <cstdio>
#include <exception>
#include <string_view>

namespace {

int Usage() {
    std::fputs("usage: curvecompiler --output DIR [FILE.curves...]\n"
               "Writes DIR/<curve name> with the 16-byte keys of every curve in the files.\n",
               stderr);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path outputDirectory;
    std::vector<std::filesystem::path> files;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--output" && i + 1 < argc)
            outputDirectory = argv[++i];
        else if (argument.starts_with("-"))
            return Usage();
        else
            files.emplace_back(argument);
    }
    if (outputDirectory.empty()) return Usage();
    try {
        WriteCurveEntries(ReadCurveFiles(files), outputDirectory);
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "curvecompiler: %s\n", failure.what());
        return 1;
    }
    return 0;
}
