// Build-up sweep: noise through a resonant band-pass rising over the note's length and
// swelling towards its end, which lands on the next section.
#pragma once

#include "Instrument.h"

namespace soundtrack {

class Riser : public Instrument {
public:
    struct Params {
        float startHz = 300.0f;
        float endHz = 9000.0f;
        float resonance = 2.5f;
    };

    explicit Riser(const Params& params) : Instrument(Bus::Effects), settings(params) {}

    std::unique_ptr<Voice> Play(const NoteEvent& note) const override;

private:
    Params settings;
};

} // namespace soundtrack
