// A decoder of one sound file: stereo float frames at the file's own rate.
#pragma once

#include "Platform/Audio/Bass.h"

#include <cstddef>

class FrameSource {
public:
    virtual ~FrameSource() = default;

    // Frames per second of the decoded sound.
    virtual DWORD Frequency() const = 0;
    // Channels of the sound's own format, which its byte positions count in.
    virtual DWORD Channels() const = 0;
    // Writes up to maxFrames interleaved stereo frames; fewer only at the end, 0 once ended.
    virtual std::size_t Decode(float* stereo, std::size_t maxFrames) = 0;
    // Back to the first frame.
    virtual void Rewind() = 0;
};
