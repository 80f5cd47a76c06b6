// A patch: the settings of one sound, and the factory of the voices that play it.
#pragma once

#include "Bus.h"
#include "NoteEvent.h"
#include "Voice.h"

#include <cmath>
#include <memory>
#include <numbers>

namespace soundtrack {

class Instrument {
public:
    explicit Instrument(Bus bus) : output(bus) {}
    virtual ~Instrument() = default;

    virtual std::unique_ptr<Voice> Play(const NoteEvent& note) const = 0;

    Bus Output() const { return output; }
    // Instruments that pump the mix: the other buses duck under them (side-chain).
    virtual bool Ducks() const { return false; }

private:
    Bus output;
};

// Equal-power pan of a velocity into left and right gains.
struct StereoGain {
    float left;
    float right;

    static StereoGain Of(const NoteEvent& note) {
        const float angle = (note.pan + 1.0f) * std::numbers::pi_v<float> / 4.0f;
        return {note.velocity * std::cos(angle) * std::numbers::sqrt2_v<float>,
                note.velocity * std::sin(angle) * std::numbers::sqrt2_v<float>};
    }
};

} // namespace soundtrack
