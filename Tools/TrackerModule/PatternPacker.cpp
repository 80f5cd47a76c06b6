#include "TrackerModule/PatternPacker.h"

#include <array>
#include <optional>
#include <stdexcept>

namespace {

enum MaskBit : std::uint8_t {
    readNote = 0x01,
    readSample = 0x02,
    readVolume = 0x04,
    readEffect = 0x08,
    lastNote = 0x10,
    lastSample = 0x20,
    lastVolume = 0x40,
    lastEffect = 0x80,
};

constexpr std::uint8_t newMaskFlag = 0x80;

// What the player remembers per channel while it unpacks one pattern.
struct ChannelMemory {
    std::optional<std::uint8_t> mask;
    std::optional<std::uint8_t> note;
    std::optional<std::uint8_t> sample;
    std::optional<std::uint8_t> volume;
    std::optional<std::pair<std::uint8_t, std::uint8_t>> effect;
};

// Sets the reuse bit when the channel remembers the value; otherwise sets the read bit,
// remembers the value and returns true: the value has to be written.
template <typename Value>
bool Choose(std::optional<Value>& memory, const Value& value, std::uint8_t read, std::uint8_t reuse,
            std::uint8_t& mask) {
    const bool write = memory != value;
    mask |= write ? read : reuse;
    memory = value;
    return write;
}

} // namespace

std::vector<std::uint8_t> PatternPacker::Pack(const TrackerPattern& pattern) {
    if (pattern.Channels() > ImpulseTrackerLimits::maxChannels)
        throw std::invalid_argument("an Impulse Tracker pattern has at most 64 channels");

    std::array<ChannelMemory, ImpulseTrackerLimits::maxChannels> memory{};
    std::vector<std::uint8_t> packed;
    for (std::size_t row = 0; row < pattern.Rows(); ++row) {
        for (std::size_t channel = 0; channel < pattern.Channels(); ++channel) {
            const PatternCell& cell = pattern.At(row, channel);
            if (cell.Empty()) continue;
            ChannelMemory& remembered = memory[channel];

            std::uint8_t mask = 0;
            const bool writeNote =
                cell.note && Choose(remembered.note, *cell.note, readNote, lastNote, mask);
            const bool writeSample = cell.sample != 0 && Choose(remembered.sample, cell.sample,
                                                                readSample, lastSample, mask);
            const bool writeVolume = cell.volume && Choose(remembered.volume, *cell.volume,
                                                           readVolume, lastVolume, mask);
            const bool writeEffect =
                cell.effect != 0 &&
                Choose(remembered.effect, std::pair{cell.effect, cell.parameter}, readEffect,
                       lastEffect, mask);

            const bool newMask = remembered.mask != mask;
            remembered.mask = mask;
            packed.push_back(
                static_cast<std::uint8_t>((channel + 1) | (newMask ? newMaskFlag : 0)));
            if (newMask) packed.push_back(mask);
            if (writeNote) packed.push_back(*cell.note);
            if (writeSample) packed.push_back(cell.sample);
            if (writeVolume) packed.push_back(*cell.volume);
            if (writeEffect) {
                packed.push_back(cell.effect);
                packed.push_back(cell.parameter);
            }
        }
        packed.push_back(0);
    }
    return packed;
}
