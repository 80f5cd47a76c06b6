// Kick drum: a sine swept down in pitch, a click on the attack, soft saturation.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class KickDrum : public Instrument {
public:
    struct Params {
        float startHz = 150.0f;
        float endHz = 46.0f;
        float pitchDecay = 0.04f; // seconds
        float ampDecay = 0.3f;    // seconds
        float click = 0.25f;      // level of the noise click
        float drive = 1.5f;       // tanh drive, 1 is nearly clean
    };

    explicit KickDrum(const Params& params) : Instrument(Bus::Drums), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;
    bool Ducks() const override { return true; }

private:
    Params settings;
};

} // namespace soundtrack
