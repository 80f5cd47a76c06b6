// Lead voice: two detuned saws and a square with delayed vibrato, through an enveloped low-pass.
#pragma once

#include "AdsrEnvelope.h"
#include "Instrument.h"

namespace soundtrack {

class LeadSynth : public Instrument {
public:
    struct Params {
        float detuneCents = 8.0f;
        float square = 0.3f;        // level of the square against the saws
        float cutoffHz = 1200.0f;   // at brightness 0
        float brightHz = 3000.0f;   // added at brightness 1
        float envelopeHz = 2500.0f; // added at the start of a note
        float filterDecay = 0.25f;  // seconds
        float resonance = 1.1f;
        float vibratoHz = 5.5f;
        float vibratoDepth = 0.12f; // semitones
        float vibratoDelay = 0.3f;  // seconds before the vibrato fades in
        AdsrEnvelope::Shape amp{0.01f, 0.3f, 0.8f, 0.25f};
    };

    explicit LeadSynth(const Params& params) : Instrument(Bus::Lead), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
