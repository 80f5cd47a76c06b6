// Two-operator FM pluck: a sine carrier whose modulation index decays faster than the note,
// from a soft pluck to a glassy bell depending on the ratio.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class PluckSynth : public Instrument {
public:
    struct Params {
        float ratio = 2.0f;       // modulator frequency over carrier frequency
        float index = 2.5f;       // modulation depth at the attack, in radians
        float indexDecay = 0.12f; // seconds
        float ampDecay = 0.45f;   // seconds
    };

    explicit PluckSynth(const Params& params) : Instrument(Bus::Chords), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
