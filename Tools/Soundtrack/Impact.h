// A hit for the picture to land on: a deep pitch-dropping boom under a burst of noise whose
// filter closes as it decays, driven into saturation. Patches range from a short punch to a
// long dark splash.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class Impact : public Instrument {
public:
    struct Params {
        float boomStartHz = 120.0f;
        float boomEndHz = 38.0f;
        float pitchDecay = 0.06f; // seconds
        float boomDecay = 0.3f;   // seconds
        float noiseDecay = 0.2f;  // seconds
        float noiseLevel = 0.6f;
        float noiseStartHz = 9000.0f; // low-pass of the burst, closing to noiseEndHz
        float noiseEndHz = 400.0f;
        float sweepTime = 0.15f; // seconds, time constant of the closing filter
        float drive = 2.0f;
    };

    explicit Impact(const Params& params) : Instrument(Bus::Effects), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;
    bool Ducks() const override { return true; }

private:
    Params settings;
};

} // namespace soundtrack
