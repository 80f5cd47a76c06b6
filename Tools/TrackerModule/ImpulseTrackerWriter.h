// Writes a module as an Impulse Tracker (.it) file in sample mode: the header with the order
// list and parapointers, the sample headers, the packed patterns, then the 16-bit sample data.
#pragma once

#include "TrackerModule/TrackerModule.h"

#include <cstdint>
#include <filesystem>
#include <vector>

class ImpulseTrackerWriter {
public:
    // The whole file. Throws std::invalid_argument for a module the format cannot hold.
    static std::vector<std::uint8_t> Serialize(const TrackerModule& module);
    // Serialize() written to file; throws std::runtime_error when the file cannot be written.
    static void Write(const TrackerModule& module, const std::filesystem::path& file);
};
