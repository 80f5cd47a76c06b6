// Crash cymbal: wide, bright noise and metal with a long decay, different noise on each side.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class Cymbal : public Instrument {
public:
    struct Params {
        float decay = 1.1f; // seconds
        float cutoffHz = 4200.0f;
        float metal = 0.35f;
    };

    explicit Cymbal(const Params& params) : Instrument(Bus::Drums), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
