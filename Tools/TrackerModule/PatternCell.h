// One channel of one pattern row, as a tracker shows it: note, sample, volume column, effect.
#pragma once

#include <cstdint>
#include <optional>

struct PatternCell {
    // Notes count semitones from C-0 (C-5 is 60); these two stop the channel instead.
    static constexpr std::uint8_t noteCut = 254;
    static constexpr std::uint8_t noteOff = 255;
    static constexpr std::uint8_t highestNote = 119;

    std::optional<std::uint8_t> note;
    std::uint8_t sample = 0;            // 1-based; 0 leaves the channel's sample as it is
    std::optional<std::uint8_t> volume; // 0..64 sets the volume, 128..192 the panning
    std::uint8_t effect = 0;            // 1 is effect A, 2 is B, ...; 0 is none
    std::uint8_t parameter = 0;

    // The number of an effect by its letter, as Impulse Tracker numbers them.
    static constexpr std::uint8_t Effect(char letter) {
        return static_cast<std::uint8_t>(letter - 'A' + 1);
    }

    bool Empty() const { return !note && sample == 0 && !volume && effect == 0; }
    bool operator==(const PatternCell&) const = default;
};
