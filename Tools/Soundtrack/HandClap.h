// Hand clap: a few quick bursts of band-passed noise, then a short decaying tail.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class HandClap : public Instrument {
public:
    struct Params {
        int bursts = 3;
        float spacing = 0.011f; // seconds between bursts
        float decay = 0.16f;    // seconds, the tail after the last burst
        float centerHz = 1300.0f;
        float resonance = 1.2f;
    };

    explicit HandClap(const Params& params) : Instrument(Bus::Drums), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
