// The moments the scenes animate to. The scenes key their effects to these exact times, so
// the soundtrack puts its accents here and nowhere else.
#pragma once

#include <array>

namespace soundtrack {

enum class CueKind {
    WaterHit,     // WaterScene: a big impact
    HumanoidBeat, // HumanoidScene: a punchy hit
    Glitch,       // PictureScene: a stutter and bit-crush passage lasting `length`
    Flash,        // CantorScene: a bright crash and impact
};

struct Cue {
    double time; // seconds from the start of the show
    CueKind kind;
    double length = 0.0;
};

inline constexpr std::array showCues = {
    Cue{90.0, CueKind::WaterHit},        Cue{90.38, CueKind::WaterHit},
    Cue{98.0, CueKind::WaterHit},        Cue{102.0, CueKind::WaterHit},
    Cue{102.37, CueKind::WaterHit},      Cue{106.0, CueKind::WaterHit},
    Cue{106.38, CueKind::WaterHit},      Cue{106.76, CueKind::WaterHit},
    Cue{110.0, CueKind::WaterHit},       Cue{110.75, CueKind::WaterHit},

    Cue{182.0, CueKind::Glitch, 2.0},

    Cue{185.25, CueKind::HumanoidBeat},  Cue{186.0, CueKind::HumanoidBeat},
    Cue{187.25, CueKind::HumanoidBeat},  Cue{187.625, CueKind::HumanoidBeat},
    Cue{188.0, CueKind::HumanoidBeat},   Cue{189.25, CueKind::HumanoidBeat},
    Cue{190.0, CueKind::HumanoidBeat},   Cue{191.25, CueKind::HumanoidBeat},
    Cue{192.0, CueKind::HumanoidBeat},   Cue{193.25, CueKind::HumanoidBeat},
    Cue{194.0, CueKind::HumanoidBeat},   Cue{195.25, CueKind::HumanoidBeat},
    Cue{195.625, CueKind::HumanoidBeat}, Cue{196.0, CueKind::HumanoidBeat},
    Cue{197.25, CueKind::HumanoidBeat},  Cue{198.0, CueKind::HumanoidBeat},

    Cue{240.0, CueKind::Flash},          Cue{248.0, CueKind::Flash},
    Cue{256.0, CueKind::Flash},          Cue{270.0, CueKind::Flash},
};

} // namespace soundtrack
