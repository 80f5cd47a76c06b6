// Starts each note's voice on its exact frame and renders the sounding voices block by block
// into the mixer's buses.
#pragma once

#include "Bus.h"
#include "Mixer.h"
#include "NoteEvent.h"
#include "Voice.h"

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace soundtrack {

class Sequencer {
public:
    // Plays the notes (in time order) that start at or after startFrame.
    Sequencer(std::span<const NoteEvent> notes, std::int64_t startFrame);

    // Renders the next `frames` frames into the mixer, which has begun a block of that size.
    void Render(Mixer& mixer, int frames);
    std::int64_t Frame() const { return frame; }

private:
    struct Sounding {
        std::unique_ptr<Voice> voice;
        Bus bus;
        int offset; // frames into the current block where the voice starts
    };

    std::span<const NoteEvent> notes;
    std::size_t next = 0;
    std::int64_t frame;
    std::vector<Sounding> voices;
};

} // namespace soundtrack
