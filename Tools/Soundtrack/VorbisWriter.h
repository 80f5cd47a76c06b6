// Encodes stereo float audio to an Ogg Vorbis file. The file appears under its name only when
// Finish() succeeds, so a failed or interrupted run never leaves a truncated file that looks
// complete.
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <span>

namespace soundtrack {

class VorbisWriter {
public:
    // quality is libvorbis's VBR quality, -0.1 to 1. Throws std::runtime_error when the file
    // cannot be created or the encoder refuses the settings.
    VorbisWriter(const std::filesystem::path& file, int sampleRate, float quality);
    ~VorbisWriter();
    VorbisWriter(const VorbisWriter&) = delete;
    VorbisWriter& operator=(const VorbisWriter&) = delete;

    // Encodes the next frames (left and right have the same size).
    void Write(std::span<const float> left, std::span<const float> right);
    // Ends the stream and moves the file into place; throws std::runtime_error on a write error.
    void Finish();

private:
    struct Encoder;

    void Drain();
    void WritePage(const unsigned char* header, long headerLength, const unsigned char* body,
                   long bodyLength);

    std::filesystem::path target;
    std::filesystem::path partial;
    std::ofstream out;
    std::unique_ptr<Encoder> encoder;
    bool finished = false;
};

} // namespace soundtrack
