// Tracker modules through libopenmpt, rendered stereo at a chosen rate.
#pragma once

#include "Platform/Audio/FrameSource.h"
#include "Platform/Audio/SoundFile.h"

#include <libopenmpt/libopenmpt.hpp>
#include <memory>
#include <ostream>

class ModuleDecoder : public FrameSource {
public:
    // Null when libopenmpt does not take the bytes for a module. A looping module repeats
    // for ever and so never ends.
    static std::unique_ptr<ModuleDecoder> Open(SoundFile soundFile, DWORD renderRate, bool loop);

    DWORD Frequency() const override { return frequency; }
    DWORD Channels() const override { return 2; }
    std::size_t Decode(float* stereo, std::size_t maxFrames) override;
    void Rewind() override;

private:
    ModuleDecoder(SoundFile soundFile, DWORD renderRate);

    // Kept for the module's life, as libopenmpt is not promised to copy it all.
    SoundFile file;
    // libopenmpt's messages go nowhere: a refused file is reported by its error code.
    std::ostream silentLog{nullptr};
    openmpt::module module;
    DWORD frequency;
};
