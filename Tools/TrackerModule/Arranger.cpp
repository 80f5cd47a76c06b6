#include "TrackerModule/Arranger.h"

#include "TrackerModule/Notation.h"

#include <stdexcept>
#include <string>

namespace {

constexpr std::uint8_t drumNote = 60; // C-5: drums play at their own rate
constexpr int bassLowest = 40;        // E-3
constexpr int chordLowest = 52;       // E-4
constexpr std::uint8_t cutTick = 3;   // of the second row of each bass eighth

// The first pitch of the pitch class at or above lowest.
std::uint8_t PitchFrom(int lowest, int pitchClass) {
    return static_cast<std::uint8_t>(lowest + (pitchClass - lowest % 12 + 12) % 12);
}

} // namespace

void Arranger::Strike(std::size_t row, std::size_t channel, std::uint8_t note,
                      const PartVoice& voice, std::uint8_t volume) {
    PatternCell& cell = pattern.At(row, channel);
    cell.note = note;
    cell.sample = voice.sample;
    cell.volume = volume;
}

void Arranger::Melody(std::size_t channel, std::string_view notes, const PartVoice& voice) {
    std::size_t row = 0;
    for (const Notation::Note& note : Notation::Melody(notes)) {
        if (note.pitch)
            Strike(row, channel, *note.pitch, voice, voice.volume);
        else
            pattern.At(row, channel).note = PatternCell::noteCut;
        row += note.rows;
    }
    if (row > pattern.Rows()) throw std::invalid_argument("melody longer than its pattern");
}

void Arranger::Arpeggios(std::size_t channel, std::string_view chords, const PartVoice& voice) {
    std::size_t bar = 0;
    for (const Notation::Chord& chord : Notation::Chords(chords)) {
        const std::uint8_t third = chord.minor ? 3 : 4;
        const std::uint8_t intervals = static_cast<std::uint8_t>(third << 4 | 7);
        for (std::size_t step = 0; step < rowsPerBar; ++step) {
            const std::size_t row = bar * rowsPerBar + step;
            if (step % (rowsPerBar / 2) == 0)
                Strike(row, channel, PitchFrom(chordLowest, chord.root), voice, voice.volume);
            PatternCell& cell = pattern.At(row, channel);
            cell.effect = PatternCell::Effect('J');
            cell.parameter = intervals;
        }
        ++bar;
    }
}

void Arranger::Bass(std::size_t channel, std::string_view chords, const PartVoice& voice) {
    constexpr int steps[] = {0, 12, 0, 12, 0, 12, 7, 12}; // semitones above the root
    std::size_t bar = 0;
    for (const Notation::Chord& chord : Notation::Chords(chords)) {
        const std::uint8_t root = PitchFrom(bassLowest, chord.root);
        for (std::size_t eighth = 0; eighth < std::size(steps); ++eighth) {
            const std::size_t row = bar * rowsPerBar + 2 * eighth;
            Strike(row, channel, static_cast<std::uint8_t>(root + steps[eighth]), voice,
                   voice.volume);
            PatternCell& cut = pattern.At(row + 1, channel);
            cut.effect = PatternCell::Effect('S');
            cut.parameter = 0xC0 | cutTick;
        }
        ++bar;
    }
}

void Arranger::Steps(std::size_t channel, std::string_view steps, const PartVoice& voice) {
    if (steps.size() > pattern.Rows()) throw std::invalid_argument("steps longer than pattern");
    for (std::size_t row = 0; row < steps.size(); ++row) {
        if (steps[row] == 'x')
            Strike(row, channel, drumNote, voice, voice.volume);
        else if (steps[row] == 'X')
            Strike(row, channel, drumNote, voice, voice.accent);
        else if (steps[row] != '.')
            throw std::invalid_argument("cannot read step '" + std::string(1, steps[row]) + "'");
    }
}

void Arranger::JumpTo(std::size_t channel, std::uint8_t order) {
    PatternCell& cell = pattern.At(pattern.Rows() - 1, channel);
    cell.effect = PatternCell::Effect('B');
    cell.parameter = order;
}
