#include "Framework/FileSys.h"

#include "Framework/FrameworkEx.h"

#include <cctype>
#include <cinttypes>
#include <cstdio>
#include <memory>
#include <vector>
#include <zlib.h>

FileSys* FileSys::instance = nullptr;
std::string FileSys::databasePath;
std::map<std::string, FileEntry> FileSys::directory;

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Entry names in the directory are at most this many bytes long.
constexpr std::size_t maxNameLength = 511;

// Scans the directory text with the stream's own formatted input. The read position is kept
// from the scan counts, since asking the stream for it costs a seek system call per entry.
class DirectoryScanner {
public:
    explicit DirectoryScanner(std::FILE* directoryFile) : file(directoryFile) {}

    long Position() const { return position; }

    bool Header(std::uint32_t& directoryEnd) {
        int consumed = -1;
        if (std::fscanf(file, "0x%8" SCNx32 "\n%n", &directoryEnd, &consumed) != 1) return false;
        Advance(consumed);
        return true;
    }

    bool Entry(char (&name)[maxNameLength + 1], FileEntry& entry) {
        int nameConsumed = -1;
        int valuesConsumed = -1;
        if (std::fscanf(file, "%511s%n", name, &nameConsumed) != 1 || !NameEndsHere() ||
            std::fscanf(file, "\n%8" SCNx32 "\n%8" SCNx32 "\n%8" SCNx32 "\n%n", &entry.offset,
                        &entry.compressedSize, &entry.size, &valuesConsumed) != 3)
            return false;
        Advance(nameConsumed < 0 || valuesConsumed < 0 ? -1 : nameConsumed + valuesConsumed);
        return true;
    }

private:
    // A name token longer than maxNameLength is refused rather than split, so that its tail is
    // never taken for the entry's values.
    bool NameEndsHere() {
        const int next = std::fgetc(file);
        if (next == EOF) return true;
        std::ungetc(next, file);
        return std::isspace(next) != 0;
    }

    // Falls back to asking the stream should a scan not report its count.
    void Advance(int consumed) {
        position = consumed >= 0 ? position + consumed : std::ftell(file);
    }

    std::FILE* file;
    long position = 0;
};

// Reads the whole payload, or nothing when the file ends before offset + compressedSize. The
// length is checked first so that a hostile compressedSize allocates nothing.
bool ReadPayload(std::FILE* file, const FileEntry& entry, std::vector<unsigned char>& payload) {
    if (std::fseek(file, 0, SEEK_END) != 0) return false;
    const long length = std::ftell(file);
    if (length < 0 || entry.offset > static_cast<unsigned long>(length) ||
        entry.compressedSize > static_cast<unsigned long>(length) - entry.offset)
        return false;
    if (std::fseek(file, static_cast<long>(entry.offset), SEEK_SET) != 0) return false;
    payload.resize(entry.compressedSize);
    return std::fread(payload.data(), 1, payload.size(), file) == payload.size();
}

[[noreturn]] void ThrowUncompressError() {
    throw FrameworkEx("[FileSys::ReadFile]: Error uncompressing file");
}

} // namespace

FileSys::FileSys() {
    if (instance != nullptr) throw FrameworkEx("FileSys is a singleton!");
    databasePath = "basefile.dat";
    directory.clear();
    LoadDirectory();
    instance = this;
}

FileSys::~FileSys() {
    instance = nullptr;
}

void FileSys::LoadDirectory() {
    const FileHandle file(std::fopen(databasePath.c_str(), "rb"));
    if (!file) {
        std::printf("Failure: Could not open \"%s\" when reading database\n", databasePath.c_str());
        return;
    }

    DirectoryScanner scanner(file.get());
    std::uint32_t directoryEnd = 0;
    if (!scanner.Header(directoryEnd)) return;

    unsigned accepted = 0;
    while (scanner.Position() < static_cast<long>(directoryEnd)) {
        char name[maxNameLength + 1];
        FileEntry entry{};
        if (!scanner.Entry(name, entry)) {
            std::printf("Data base file corrupt.  Corruption detected while reading file #%u\n",
                        accepted);
            return;
        }
        if (directory.emplace(name, entry).second) ++accepted;
    }
}

std::uint32_t FileSys::GetFileSize(const char* name) const {
    const auto found = directory.find(name);
    return found == directory.end() ? 0 : found->second.size;
}

std::uint32_t FileSys::ReadFile(const char* name, void* dest) const {
    const auto found = directory.find(name);
    if (found == directory.end()) return 0;
    const FileEntry& entry = found->second;

    std::vector<unsigned char> payload;
    {
        const FileHandle file(std::fopen(databasePath.c_str(), "rb"));
        if (!file) {
            std::printf("Failure: Could not open \"%s\" when trying to read file %s",
                        databasePath.c_str(), name);
            return 0;
        }
        if (!ReadPayload(file.get(), entry, payload)) ThrowUncompressError();
    }

    uLongf inflatedLength = entry.size;
    if (uncompress(static_cast<Bytef*>(dest), &inflatedLength, payload.data(),
                   static_cast<uLong>(payload.size())) != Z_OK)
        ThrowUncompressError();
    return entry.size;
}
