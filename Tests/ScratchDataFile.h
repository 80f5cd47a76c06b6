// A working directory of a test's own holding a "basefile.dat" written from given entries, and
// the FileSys that reads it. Leaving the scope closes the FileSys, returns to the previous
// working directory and removes the scratch directory. Also usable inside a death test.
#pragma once

#include "DataPacker/DataFileWriter.h"
#include "Framework/FileSys.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>

class ScratchDataFile {
public:
    ScratchDataFile() : previousDirectory(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumenvale-data-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("no scratch directory: " + pattern);
        directory = pattern;
        std::filesystem::current_path(directory);
    }
    ~ScratchDataFile() {
        fileSys.reset();
        std::filesystem::current_path(previousDirectory);
        std::filesystem::remove_all(directory);
    }
    ScratchDataFile(const ScratchDataFile&) = delete;
    ScratchDataFile& operator=(const ScratchDataFile&) = delete;

    // Writes basefile.dat with these entries (name -> content) and opens a FileSys on it.
    void Mount(const std::map<std::string, std::string>& entries) {
        fileSys.reset();
        DataFileWriter writer;
        for (const auto& [name, content] : entries)
            writer.Add(name, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                       content.size()));
        writer.Write(directory / "basefile.dat");
        fileSys = std::make_unique<FileSys>();
    }

    const std::filesystem::path& Directory() const { return directory; }

private:
    std::filesystem::path previousDirectory;
    std::filesystem::path directory;
    std::unique_ptr<FileSys> fileSys;
};
