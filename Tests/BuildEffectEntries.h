// The effect entries of the build's data file ("OShaders\..." and "Shaders\..."), for scratch
// data files that the framework loads from: its loading needs the global effect.
#pragma once

#include "DataPacker/DataFileWriter.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
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

// The build's effect entries and its noise volume: what the framework's loading reads.
inline std::map<std::string, std::string> BuildContentEntries() {
    std::map<std::string, std::string> entries = BuildEffectEntries();
    std::ifstream noise(std::string(LUMENVALE_GENERATED_ROOT) + "/Data/noise.bin",
                        std::ios::binary);
    entries["Data\\noise.bin"] = std::string(std::istreambuf_iterator<char>(noise), {});
    return entries;
}

// Writes directory/basefile.dat holding these entries (name -> content).
inline void WriteDataFile(const std::filesystem::path& directory,
                          const std::map<std::string, std::string>& entries) {
    DataFileWriter writer;
    for (const auto& [name, content] : entries)
        writer.Add(name, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                   content.size()));
    writer.Write(directory / "basefile.dat");
}
