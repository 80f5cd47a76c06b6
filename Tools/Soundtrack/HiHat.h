// Hi-hat: metallic tone and noise through a high-pass; the decay makes it closed or open.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class HiHat : public Instrument {
public:
    struct Params {
        float decay = 0.045f; // seconds; about 0.3 for an open hat
        float cutoffHz = 7500.0f;
        float metal = 0.5f; // share of the metallic tone against noise
    };

    explicit HiHat(const Params& params) : Instrument(Bus::Drums), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
