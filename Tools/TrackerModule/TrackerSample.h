// A mono 16-bit sample with the playback settings a sample header carries.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SampleLoop {
    std::uint32_t begin = 0;
    std::uint32_t end = 0; // one past the last looped frame
};

struct TrackerSample {
    std::string name;
    std::vector<std::int16_t> frames;
    std::uint32_t c5Speed = 8363; // frames per second when played at C-5
    std::optional<SampleLoop> loop;
    std::uint8_t defaultVolume = 64; // 0..64
    std::uint8_t globalVolume = 64;  // 0..64
};
