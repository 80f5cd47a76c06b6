// Everything an Impulse Tracker module holds that this tool writes: song settings, the order
// list, samples (no instruments) and patterns.
#pragma once

#include "TrackerModule/TrackerPattern.h"
#include "TrackerModule/TrackerSample.h"

#include <cstdint>
#include <string>
#include <vector>

struct TrackerModule {
    std::string title;
    std::uint8_t initialSpeed = 6;   // ticks per row
    std::uint8_t initialTempo = 125; // 2.5 / tempo seconds a tick
    std::uint8_t globalVolume = 128; // 0..128
    std::uint8_t mixVolume = 48;     // 0..128
    std::uint8_t rowsPerBeat = 4;    // the editor's row highlights
    std::uint8_t rowsPerMeasure = 16;
    std::vector<std::uint8_t> channelPans; // 0 (left) .. 64 (right), one per channel in use
    std::vector<std::uint8_t> orders;      // pattern indices, played in turn, then again
    std::vector<TrackerSample> samples;
    std::vector<TrackerPattern> patterns;
};
