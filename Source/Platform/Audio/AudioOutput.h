// Where the mix goes: a sound device, or nowhere at the pace of one.
#pragma once

#include "Platform/Audio/Bass.h"

class AudioOutput {
public:
    virtual ~AudioOutput() = default;

    virtual DWORD Frequency() const = 0;
    // Milliseconds between a block being handed to the output and its being heard.
    virtual DWORD LatencyMs() const = 0;
};
