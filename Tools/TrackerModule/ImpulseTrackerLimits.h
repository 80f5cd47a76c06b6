// What an Impulse Tracker file can hold, checked before anything is written.
#pragma once

#include "TrackerModule/TrackerModule.h"

#include <cstddef>

namespace ImpulseTrackerLimits {

constexpr std::size_t maxOrders = 255; // leaves room for the end-of-song entry
constexpr std::size_t maxPatterns = 200;
constexpr std::size_t maxSamples = 99;
constexpr std::size_t maxChannels = 64;
constexpr std::size_t minRows = 32;
constexpr std::size_t maxRows = 200;
constexpr std::uint8_t highestVolumeColumn = 212; // 0..64 volume, 128..192 panning, commands
constexpr std::uint8_t highestEffect = 26;        // Z

// Throws std::invalid_argument naming the first thing the format cannot hold.
void Check(const TrackerModule& module);

} // namespace ImpulseTrackerLimits
