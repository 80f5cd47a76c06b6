// The effect entries of the build's data file ("OShaders\..." and "Shaders\..."), for scratch
// data files that the framework loads from: its loading needs the global effect.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

inline std::map<std::string, std::string> BuildEffectEntries() {
    std::map<std::string, std::string> entries;
    for (const char* folder : {"OShaders", "Shaders"})
        for (const auto& file : std::filesystem::directory_iterator(
                 std::filesystem::path(LUMENVALE_GENERATED_ROOT) / folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            entries[std::string(folder) + "\\" + file.path().filename().string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
    return entries;
}
