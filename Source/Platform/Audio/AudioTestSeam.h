// Lets tests choose the output latency that BASS_GetInfo reports.
#pragma once

#include "Platform/Audio/Bass.h"

#include <optional>

namespace AudioTestSeam {

// BASS_GetInfo reports this latency in place of the device's; nullopt goes back to it.
void OverrideLatency(std::optional<DWORD> latencyMs);
std::optional<DWORD> LatencyOverride();

} // namespace AudioTestSeam
