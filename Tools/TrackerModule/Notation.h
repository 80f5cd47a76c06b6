// The score's text notation. Pitches are named as a tracker shows them: a letter, an optional
// sharp and the octave, "C5" being C-5 (middle C). A melody is a list of "pitch:rows" tokens,
// "r:rows" being a rest; chords are names like "Am" or "F", one a bar.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace Notation {

struct Note {
    std::optional<std::uint8_t> pitch; // none: a rest
    std::size_t rows;
};

struct Chord {
    int root;   // pitch class, 0 (C) .. 11 (B)
    bool minor; // otherwise major
};

// Each throws std::invalid_argument naming the token it cannot read.
std::uint8_t Pitch(std::string_view name);
std::vector<Note> Melody(std::string_view text);
std::vector<Chord> Chords(std::string_view text);

} // namespace Notation
