// Snare drum: a short pitched body under a band of noise for the wires.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class SnareDrum : public Instrument {
public:
    struct Params {
        float toneHz = 190.0f;
        float toneDecay = 0.06f; // seconds
        float toneLevel = 0.6f;
        float noiseDecay = 0.15f; // seconds
        float noiseHz = 2200.0f;  // high-pass corner of the wires
        float noiseLevel = 0.8f;
    };

    explicit SnareDrum(const Params& params) : Instrument(Bus::Drums), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
