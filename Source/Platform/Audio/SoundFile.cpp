#include "Platform/Audio/SoundFile.h"

#include <fstream>
#include <iterator>

SoundFile SoundFile::InMemory(const void* image, QWORD offset, QWORD length) {
    SoundFile file;
    file.bytes = {static_cast<const unsigned char*>(image) + offset, length};
    return file;
}

SoundFile SoundFile::FromPath(const char* path, QWORD offset, QWORD length, int& error) {
    SoundFile file;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = BASS_ERROR_FILEOPEN;
        return file;
    }
    file.owned.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    const QWORD size = file.owned.size();
    const QWORD start = offset < size ? offset : size;
    const QWORD available = size - start;
    file.bytes = std::span<const unsigned char>(file.owned)
                     .subspan(start, length != 0 && length < available ? length : available);
    return file;
}
