// A working directory of the benchmarks' own whose data file holds what the framework's loading
// needs and nothing that starts a timeline: the build's effects and its noise volume, and the
// benchmark's own entries (name -> content).
#pragma once

#include "DataPacker/DataFileWriter.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <span>
#include <string>

inline void EnterBenchDirectory(const std::map<std::string, std::string>& extra = {}) {
    const std::filesystem::path generated(LUMENVALE_GENERATED_ROOT);
    const auto directory = std::filesystem::temp_directory_path() / "lumenvale-bench";
    std::filesystem::create_directories(directory);
    DataFileWriter writer;
    auto add = [&](const std::string& name, const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        const std::string content(std::istreambuf_iterator<char>(in), {});
        writer.Add(name, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                   content.size()));
    };
    for (const char* folder : {"OShaders", "Shaders"})
        for (const auto& file : std::filesystem::directory_iterator(generated / folder))
            add(std::string(folder) + "\\" + file.path().filename().string(), file.path());
    add("Data\\noise.bin", generated / "Data" / "noise.bin");
    for (const auto& [name, content] : extra)
        writer.Add(name, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                   content.size()));
    writer.Write(directory / "basefile.dat");
    std::filesystem::current_path(directory);
}
