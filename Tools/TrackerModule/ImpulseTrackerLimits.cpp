#include "TrackerModule/ImpulseTrackerLimits.h"

#include <limits>
#include <stdexcept>
#include <string>

namespace ImpulseTrackerLimits {
namespace {

void Require(bool holds, const std::string& what) {
    if (!holds) throw std::invalid_argument("Impulse Tracker module: " + what);
}

void CheckSample(const TrackerSample& sample, std::size_t index) {
    const std::string name = "sample " + std::to_string(index + 1);
    Require(sample.frames.size() <= std::numeric_limits<std::uint32_t>::max(),
            name + " is too long");
    Require(sample.defaultVolume <= 64 && sample.globalVolume <= 64,
            name + " has a volume above 64");
    if (sample.loop)
        Require(sample.loop->begin < sample.loop->end && sample.loop->end <= sample.frames.size(),
                name + " loops outside its frames");
}

void CheckCell(const PatternCell& cell, std::size_t sampleCount, const std::string& where) {
    if (cell.note)
        Require(*cell.note <= PatternCell::highestNote || *cell.note == PatternCell::noteCut ||
                    *cell.note == PatternCell::noteOff,
                where + " has no such note");
    Require(cell.sample <= sampleCount, where + " plays a sample that does not exist");
    if (cell.volume)
        Require(*cell.volume <= highestVolumeColumn, where + " has no such volume column value");
    Require(cell.effect <= highestEffect, where + " has no such effect");
}

void CheckPattern(const TrackerPattern& pattern, std::size_t index, const TrackerModule& module) {
    const std::string name = "pattern " + std::to_string(index);
    Require(pattern.Rows() >= minRows && pattern.Rows() <= maxRows,
            name + " must have 32 to 200 rows");
    Require(pattern.Channels() <= module.channelPans.size(),
            name + " uses more channels than the module pans");
    for (std::size_t row = 0; row < pattern.Rows(); ++row)
        for (std::size_t channel = 0; channel < pattern.Channels(); ++channel)
            CheckCell(pattern.At(row, channel), module.samples.size(),
                      name + " row " + std::to_string(row) + " channel " + std::to_string(channel));
}

} // namespace

void Check(const TrackerModule& module) {
    Require(!module.orders.empty() && module.orders.size() <= maxOrders,
            "the order list must have 1 to 255 entries");
    for (const std::uint8_t order : module.orders)
        Require(order < module.patterns.size(), "an order names a pattern that does not exist");
    Require(module.patterns.size() <= maxPatterns, "at most 200 patterns");
    Require(module.samples.size() <= maxSamples, "at most 99 samples");
    Require(module.channelPans.size() <= maxChannels, "at most 64 channels");
    for (const std::uint8_t pan : module.channelPans)
        Require(pan <= 64, "a channel pan is above 64");
    Require(module.globalVolume <= 128 && module.mixVolume <= 128,
            "global and mix volume are at most 128");
    Require(module.initialSpeed >= 1 && module.initialTempo >= 32,
            "speed must be at least 1 and tempo at least 32");
    for (std::size_t i = 0; i < module.samples.size(); ++i)
        CheckSample(module.samples[i], i);
    for (std::size_t i = 0; i < module.patterns.size(); ++i)
        CheckPattern(module.patterns[i], i, module);
}

} // namespace ImpulseTrackerLimits
