#include "TrackerModule/Notation.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace Notation {
namespace {

constexpr std::string_view letters = "C D EF G A B"; // index: semitones above C

std::vector<std::string_view> Tokens(std::string_view text) {
    std::vector<std::string_view> tokens;
    while (!text.empty()) {
        const std::size_t start = text.find_first_not_of(' ');
        if (start == std::string_view::npos) break;
        text.remove_prefix(start);
        const std::size_t end = std::min(text.find(' '), text.size());
        tokens.push_back(text.substr(0, end));
        text.remove_prefix(end);
    }
    return tokens;
}

[[noreturn]] void Unreadable(std::string_view what, std::string_view token) {
    throw std::invalid_argument("cannot read " + std::string(what) + " \"" + std::string(token) +
                                "\"");
}

// Semitones above C of a letter and optional sharp at the start of name; advances past them.
int PitchClass(std::string_view& name, std::string_view token) {
    const std::size_t letter = name.empty() ? std::string_view::npos : letters.find(name[0]);
    if (letter == std::string_view::npos || name[0] == ' ') Unreadable("pitch", token);
    name.remove_prefix(1);
    const bool sharp = !name.empty() && name[0] == '#';
    if (!sharp) return static_cast<int>(letter);
    if (letter + 1 == letters.size() || letters[letter + 1] != ' ')
        Unreadable("pitch", token); // no E# or B#
    name.remove_prefix(1);
    return static_cast<int>(letter) + 1;
}

std::size_t Rows(std::string_view digits, std::string_view token) {
    std::size_t rows = 0;
    for (const char digit : digits) {
        if (digit < '0' || digit > '9') Unreadable("length", token);
        rows = rows * 10 + static_cast<std::size_t>(digit - '0');
    }
    if (digits.empty() || rows == 0) Unreadable("length", token);
    return rows;
}

} // namespace

std::uint8_t Pitch(std::string_view name) {
    const std::string_view token = name;
    const int pitchClass = PitchClass(name, token);
    if (name.size() != 1 || name[0] < '0' || name[0] > '9') Unreadable("pitch", token);
    const int pitch = (name[0] - '0') * 12 + pitchClass;
    if (pitch > 119) Unreadable("pitch", token);
    return static_cast<std::uint8_t>(pitch);
}

std::vector<Note> Melody(std::string_view text) {
    std::vector<Note> notes;
    for (const std::string_view token : Tokens(text)) {
        const std::size_t colon = token.find(':');
        if (colon == std::string_view::npos) Unreadable("note", token);
        const std::string_view name = token.substr(0, colon);
        const std::size_t rows = Rows(token.substr(colon + 1), token);
        if (name == "r")
            notes.push_back({std::nullopt, rows});
        else
            notes.push_back({Pitch(name), rows});
    }
    return notes;
}

std::vector<Chord> Chords(std::string_view text) {
    std::vector<Chord> chords;
    for (const std::string_view token : Tokens(text)) {
        std::string_view rest = token;
        const int root = PitchClass(rest, token);
        if (!rest.empty() && rest != "m") Unreadable("chord", token);
        chords.push_back({root, rest == "m"});
    }
    return chords;
}

} // namespace Notation
