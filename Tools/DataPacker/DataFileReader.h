// Reads back a packed data file for inspection: its directory and whether each payload is sound.
// It parses the directory strictly, so anything a writer other than DataFileWriter left in an
// unusual spelling is reported rather than guessed at.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

struct DirectoryEntry {
    std::string name;
    std::uint32_t offset;
    std::uint32_t compressedSize;
    std::uint32_t size;
};

class DataFileReader {
public:
    // Reads the file and its directory; throws std::runtime_error when the file cannot be read or
    // its directory is malformed.
    explicit DataFileReader(const std::filesystem::path& file);

    // The entries in the order the directory lists them.
    const std::vector<DirectoryEntry>& Entries() const { return entries; }

    // Whether the payload lies inside the file and inflates to exactly the entry's size.
    bool Verify(const DirectoryEntry& entry) const;

private:
    std::vector<unsigned char> contents;
    std::vector<DirectoryEntry> entries;
};
