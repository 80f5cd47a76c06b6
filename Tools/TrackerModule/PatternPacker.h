// Impulse Tracker's pattern compression. Each row lists its non-empty channels and ends with a
// zero byte. A channel byte carries a mask only when the mask differs from that channel's last
// one, and a field equal to the channel's last value of that field is flagged, not repeated.
#pragma once

#include "TrackerModule/ImpulseTrackerLimits.h"
#include "TrackerModule/TrackerPattern.h"

#include <cstdint>
#include <vector>

class PatternPacker {
public:
    // The packed rows, without the pattern's 8-byte header. Throws std::invalid_argument for a
    // pattern wider than 64 channels.
    static std::vector<std::uint8_t> Pack(const TrackerPattern& pattern);
};
