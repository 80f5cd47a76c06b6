// The text notation the arrangement is written in: chord names ("Am", "Fmaj7", "Bb"), chord
// progressions ("Am F C G") and melodies ("E5/6 D5/2 r/4 | A4/8"), a token being a note name or
// r for a rest, then its length in sixteenth steps; bar lines are only for reading.
#pragma once

#include <string_view>
#include <vector>

namespace soundtrack {

struct Chord {
    int root = 0;               // pitch class, C = 0
    std::vector<int> intervals; // semitones above the root

    // Throws std::invalid_argument for a name it does not know.
    static Chord Parse(std::string_view name);

    // The chord in close position: each tone in the octave starting 6 semitones below center,
    // lowest first. Moving between chords voiced around the same center keeps the voices close.
    std::vector<float> Voicing(int center) const;
    // The root in the octave starting at lowest.
    float Bass(int lowest) const;
};

std::vector<Chord> ParseProgression(std::string_view chords);

struct MelodyNote {
    int step;    // start, in sixteenths from the start of the melody
    int steps;   // length
    float pitch; // MIDI note number
};

struct Melody {
    std::vector<MelodyNote> notes;
    int steps = 0; // the whole melody, rests included

    // Throws std::invalid_argument for a malformed token.
    static Melody Parse(std::string_view text);
};

// MIDI note number of a name such as "C4", "F#3" or "Bb5"; throws std::invalid_argument.
int ParseNoteName(std::string_view name);

} // namespace soundtrack
