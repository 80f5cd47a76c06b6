// The packed data file: a text directory followed by zlib streams, one per entry.
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct FileEntry {
    std::uint32_t offset;
    std::uint32_t size;
    std::uint32_t compressedSize;
};

class FileSys {
public:
    // Reads the directory of "basefile.dat" in the working directory. A missing or damaged file
    // is reported on standard output; the directory then stays empty or partial.
    FileSys();
    ~FileSys();
    FileSys(const FileSys&) = delete;
    FileSys& operator=(const FileSys&) = delete;

    static FileSys* Instance() { return instance; }

    // The entry's inflated size, or 0 when there is no such entry.
    std::uint32_t GetFileSize(const char* name) const;
    // Inflates the entry into dest, which holds at least GetFileSize(name) bytes. Returns the
    // entry's size, or 0 when the entry is missing or the data file cannot be opened. Throws
    // FrameworkEx when the payload does not inflate.
    std::uint32_t ReadFile(const char* name, void* dest) const;

    // The directory as loaded, in byte-wise name order, for tools that walk every entry.
    const std::map<std::string, FileEntry>& Directory() const { return directory; }

private:
    void LoadDirectory();

    static FileSys* instance;
    static std::string databasePath;
    static std::map<std::string, FileEntry> directory;
};
