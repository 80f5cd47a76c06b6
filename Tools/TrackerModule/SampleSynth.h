// The module's instruments, synthesized: decaying drum hits at the output rate, and looped
// single-cycle waveforms, band-limited so high notes do not alias, tuned so C-5 is middle C.
#pragma once

#include "TrackerModule/TrackerSample.h"

class SampleSynth {
public:
    static constexpr std::uint32_t drumRate = 44100; // drums play unchanged at C-5
    static constexpr std::uint32_t cycleFrames = 128;

    static TrackerSample Kick();
    static TrackerSample Snare();
    static TrackerSample Hat();
    // A soft saw for the bass line.
    static TrackerSample Bass();
    // A quarter-duty pulse, the classic lead of home-console chips.
    static TrackerSample Pulse();
    // A bright saw for the chord arpeggios.
    static TrackerSample Saw();
};
