// A working directory of the benchmark's own with a data file that holds the build's effects
// (which the framework's loading needs), its noise volume (so that loading does not generate
// it) and any further entries.
#pragma once

#include "DataPacker/DataFileWriter.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <string>

inline void EnterDirectoryWithEffects(const std::string& name,
                                      const std::map<std::string, std::string>& extra = {}) {
    namespace fs = std::filesystem;
    const fs::path directory = fs::temp_directory_path() / name;
    fs::create_directories(directory);
    std::map<std::string, std::string> entries = extra;
    for (const char* folder : {"OShaders", "Shaders"})
        for (const auto& file :
             fs::directory_iterator(fs::path(LUMENVALE_GENERATED_ROOT) / folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            entries[std::string(folder) + "\\" + file.path().filename().string()] =
                std::string(std::istreambuf_iterator<char>(in), {});
        }
    std::ifstream noise(fs::path(LUMENVALE_GENERATED_ROOT) / "Data" / "noise.bin",
                        std::ios::binary);
    entries["Data\\noise.bin"] = std::string(std::istreambuf_iterator<char>(noise), {});
    DataFileWriter writer;
    for (const auto& [entry, content] : entries)
        writer.Add(entry, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                    content.size()));
    writer.Write(directory / "basefile.dat");
    fs::current_path(directory);
}
