// Writes the parts of a score onto one pattern, a bar being 16 rows: melodies, arpeggiated
// chords, the octave-bouncing bass and drum steps.
#pragma once

#include "TrackerModule/TrackerPattern.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Which sample a part plays, and how loud; accent is the volume of an accented drum step.
struct PartVoice {
    std::uint8_t sample;
    std::uint8_t volume;
    std::uint8_t accent = 64;
};

class Arranger {
public:
    static constexpr std::size_t rowsPerBar = 16;

    explicit Arranger(TrackerPattern& target) : pattern(target) {}

    // Notes as Notation::Melody reads them, from the first row on; each note holds until the
    // next one, and a rest cuts it.
    void Melody(std::size_t channel, std::string_view notes, const PartVoice& voice);
    // One chord a bar, struck twice a bar and arpeggiated on every tick (effect J).
    void Arpeggios(std::size_t channel, std::string_view chords, const PartVoice& voice);
    // One chord a bar: eighths bouncing between the root and its octave, the fifth on the
    // seventh eighth, each cut short for a plucked feel.
    void Bass(std::size_t channel, std::string_view chords, const PartVoice& voice);
    // One character a row: 'x' a hit, 'X' an accented hit, '.' nothing.
    void Steps(std::size_t channel, std::string_view steps, const PartVoice& voice);
    // Ends the pattern with a jump to an order (effect B) on the last row.
    void JumpTo(std::size_t channel, std::uint8_t order);

private:
    void Strike(std::size_t row, std::size_t channel, std::uint8_t note, const PartVoice& voice,
                std::uint8_t volume);

    TrackerPattern& pattern;
};
