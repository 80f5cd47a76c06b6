#include "Platform/Audio/AudioTestSeam.h"

namespace {

std::optional<DWORD> latencyOverride;

} // namespace

void AudioTestSeam::OverrideLatency(std::optional<DWORD> latencyMs) {
    latencyOverride = latencyMs;
}

std::optional<DWORD> AudioTestSeam::LatencyOverride() {
    return latencyOverride;
}
