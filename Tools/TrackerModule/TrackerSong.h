// The falling-blocks game's music: a looping chiptune in A minor at 130 BPM, six synthesized
// instruments on six channels, seven four-bar patterns arranged into an 81-second order list
// whose last pattern jumps back to the start.
#pragma once

#include "TrackerModule/TrackerModule.h"

#include <cstdint>
#include <vector>

class TrackerSong {
public:
    static TrackerModule Compose();
    // Compose() as the bytes of an Impulse Tracker file, the content of Data\wcoox.it.
    static std::vector<std::uint8_t> ModuleBytes();
};
