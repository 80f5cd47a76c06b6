// A note of the arrangement: when, which instrument, and how it is to be played.
#pragma once

#include <cstdint>

namespace soundtrack {

class Instrument;

struct NoteEvent {
    double time = 0.0;       // seconds from the start of the show
    double length = 0.25;    // how long the key is held; percussion ignores it
    float pitch = 60.0f;     // MIDI note number
    float velocity = 1.0f;   // 0..1
    float pan = 0.0f;        // -1 left .. 1 right
    float brightness = 0.5f; // 0..1, opens the filters of instruments that have one
    const Instrument* instrument = nullptr;
    std::uint32_t seed = 1; // noise seed, fixed per note so renders repeat exactly
};

} // namespace soundtrack
