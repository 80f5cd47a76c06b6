// Ogg Vorbis through libvorbisfile, read from a sound file's bytes in place.
#pragma once

#include "Platform/Audio/FrameSource.h"
#include "Platform/Audio/SoundFile.h"

#include <memory>
#include <vorbis/vorbisfile.h>

class VorbisDecoder : public FrameSource {
public:
    // Null when the bytes are not an Ogg Vorbis stream.
    static std::unique_ptr<VorbisDecoder> Open(SoundFile file);
    ~VorbisDecoder() override;
    VorbisDecoder(const VorbisDecoder&) = delete;
    VorbisDecoder& operator=(const VorbisDecoder&) = delete;

    DWORD Frequency() const override { return frequency; }
    DWORD Channels() const override { return channels; }
    std::size_t Decode(float* stereo, std::size_t maxFrames) override;
    void Rewind() override;

private:
    explicit VorbisDecoder(SoundFile soundFile) : file(std::move(soundFile)) {}

    static std::size_t Read(void* destination, std::size_t size, std::size_t count, void* decoder);
    static int Seek(void* decoder, ogg_int64_t offset, int whence);
    static long Tell(void* decoder);

    SoundFile file;
    std::size_t readPosition = 0;
    // libvorbisfile keeps pointers to this object, which therefore never moves.
    OggVorbis_File vorbis{};
    DWORD frequency = 0;
    DWORD channels = 0;
};
