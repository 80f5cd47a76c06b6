// Mono bass: saw and square over a sine sub-octave, through a resonant low-pass with its own
// envelope, lightly saturated.
#pragma once

#include "AdsrEnvelope.h"
#include "Instrument.h"

namespace soundtrack {

class BassSynth : public Instrument {
public:
    struct Params {
        float saw = 1.0f; // levels of the three sources
        float square = 0.0f;
        float sub = 0.6f;
        float cutoffHz = 220.0f;    // at brightness 0; brightness 1 doubles it
        float envelopeHz = 1400.0f; // added at the start of a note, decaying with filterDecay
        float filterDecay = 0.12f;  // seconds
        float resonance = 1.4f;
        float drive = 1.6f;
        AdsrEnvelope::Shape amp{0.003f, 0.25f, 0.75f, 0.05f};
    };

    explicit BassSynth(const Params& params) : Instrument(Bus::Bass), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
