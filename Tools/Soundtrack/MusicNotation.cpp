#include "MusicNotation.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <stdexcept>
#include <string>
#include <utility>

namespace soundtrack {

namespace {

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = text.find_first_not_of(" \t\n|", position);
        if (start == std::string_view::npos) break;
        const std::size_t end = std::min(text.find_first_of(" \t\n|", start), text.size());
        tokens.push_back(text.substr(start, end - start));
        position = end;
    }
    return tokens;
}

// Reads a letter and an optional accidental off the front of text.
int TakePitchClass(std::string_view& text) {
    constexpr std::array<int, 7> fromA = {9, 11, 0, 2, 4, 5, 7};
    if (text.empty() || text[0] < 'A' || text[0] > 'G')
        throw std::invalid_argument("expected a note letter in \"" + std::string(text) + "\"");
    int pitchClass = fromA[static_cast<std::size_t>(text[0] - 'A')];
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '#' || text[0] == 'b')) {
        pitchClass += text[0] == '#' ? 1 : -1;
        text.remove_prefix(1);
    }
    return (pitchClass + 12) % 12;
}

int ParseNumber(std::string_view text, std::string_view context) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || text.empty())
        throw std::invalid_argument("expected a number in \"" + std::string(context) + "\"");
    return value;
}

const std::array<std::pair<std::string_view, std::vector<int>>, 10> chordQualities = {{
    {"", {0, 4, 7}},
    {"m", {0, 3, 7}},
    {"7", {0, 4, 7, 10}},
    {"m7", {0, 3, 7, 10}},
    {"maj7", {0, 4, 7, 11}},
    {"sus2", {0, 2, 7}},
    {"sus4", {0, 5, 7}},
    {"add9", {0, 4, 7, 14}},
    {"madd9", {0, 3, 7, 14}},
    {"m9", {0, 3, 7, 10, 14}},
}};

int Wrap(int value, int modulus) {
    return ((value % modulus) + modulus) % modulus;
}

} // namespace

Chord Chord::Parse(std::string_view name) {
    std::string_view rest = name;
    Chord chord;
    chord.root = TakePitchClass(rest);
    for (const auto& [suffix, intervals] : chordQualities) {
        if (rest == suffix) {
            chord.intervals = intervals;
            return chord;
        }
    }
    throw std::invalid_argument("unknown chord \"" + std::string(name) + "\"");
}

std::vector<float> Chord::Voicing(int center) const {
    const int lowest = center - 6;
    std::vector<float> notes;
    for (int interval : intervals)
        notes.push_back(static_cast<float>(lowest + Wrap(root + interval - lowest, 12)));
    std::sort(notes.begin(), notes.end());
    notes.erase(std::unique(notes.begin(), notes.end()), notes.end());
    return notes;
}

float Chord::Bass(int lowest) const {
    return static_cast<float>(lowest + Wrap(root - lowest, 12));
}

std::vector<Chord> ParseProgression(std::string_view chords) {
    std::vector<Chord> progression;
    for (std::string_view name : Tokens(chords))
        progression.push_back(Chord::Parse(name));
    return progression;
}

int ParseNoteName(std::string_view name) {
    std::string_view rest = name;
    const int pitchClass = TakePitchClass(rest);
    const int octave = ParseNumber(rest, name);
    // Cb and B# cross the octave line: Cb4 is B3.
    const int adjust = name.size() > 1 && name[0] == 'C' && name[1] == 'b'   ? -12
                       : name.size() > 1 && name[0] == 'B' && name[1] == '#' ? 12
                                                                             : 0;
    return (octave + 1) * 12 + pitchClass + adjust;
}

Melody Melody::Parse(std::string_view text) {
    Melody melody;
    for (std::string_view token : Tokens(text)) {
        const std::size_t slash = token.find('/');
        if (slash == std::string_view::npos)
            throw std::invalid_argument("melody token \"" + std::string(token) +
                                        "\" needs a length after '/'");
        const int steps = ParseNumber(token.substr(slash + 1), token);
        if (steps <= 0)
            throw std::invalid_argument("melody token \"" + std::string(token) +
                                        "\" must last at least one step");
        const std::string_view name = token.substr(0, slash);
        if (name != "r")
            melody.notes.push_back({melody.steps, steps, static_cast<float>(ParseNoteName(name))});
        melody.steps += steps;
    }
    return melody;
}

} // namespace soundtrack
