// Pad and chord-stab voice: three detuned saws spread across the stereo field, through a
// low-pass that brightness opens and a slow LFO moves.
#pragma once

#include "AdsrEnvelope.h"
#include "Instrument.h"

namespace soundtrack {

class PadSynth : public Instrument {
public:
    struct Params {
        float detuneCents = 11.0f;
        float cutoffHz = 500.0f;  // at brightness 0
        float brightHz = 4500.0f; // added at brightness 1
        float resonance = 0.8f;
        float lfoHz = 0.2f;     // cutoff wobble
        float lfoDepth = 0.25f; // as a share of the cutoff
        AdsrEnvelope::Shape amp{0.6f, 1.0f, 0.8f, 0.9f};
    };

    explicit PadSynth(const Params& params) : Instrument(Bus::Chords), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
