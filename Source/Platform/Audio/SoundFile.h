// The bytes of a sound file: the caller's memory image, used in place, or a file's contents.
#pragma once

#include "Platform/Audio/Bass.h"

#include <span>
#include <vector>

class SoundFile {
public:
    // length bytes of image from offset; the image must outlive the channel made from it.
    static SoundFile InMemory(const void* image, QWORD offset, QWORD length);
    // The file's bytes from offset, length of them (0: up to the end). Sets error to
    // BASS_ERROR_FILEOPEN and gives no bytes when the file cannot be read.
    static SoundFile FromPath(const char* path, QWORD offset, QWORD length, int& error);

    // Move-only: bytes may point into owned.
    SoundFile(SoundFile&&) = default;
    SoundFile& operator=(SoundFile&&) = default;
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    std::span<const unsigned char> Bytes() const { return bytes; }

private:
    SoundFile() = default;

    std::vector<unsigned char> owned;
    std::span<const unsigned char> bytes;
};
