// One part of the piece, played under one scene: its chords, its patterns and its sounds.
#pragma once

#include "BassSynth.h"
#include "Cymbal.h"
#include "HandClap.h"
#include "HiHat.h"
#include "KickDrum.h"
#include "LeadSynth.h"
#include "PadSynth.h"
#include "PluckSynth.h"
#include "SnareDrum.h"

#include <string_view>
#include <vector>

namespace soundtrack {

enum class Part { Kick, Snare, Clap, Hat, OpenHat, Crash, Bass, Pad, Arp, Lead };

// A pattern looped on the sixteenth grid from the section's first downbeat, one character a
// step (the lead reads a melody in MusicNotation instead):
//   drums  x loud, o medium, g ghost, . rest
//   bass   R root, O root an octave up, F fifth, - hold the previous note, . rest
//   arp    0-9 a tone of the chord counted upwards from the arp's register, - hold, . rest
//   pad    x the whole chord, - hold, . rest; a held chord stops at the next chord change
struct Track {
    Part part;
    std::string_view pattern;
    int fromBar = -1;      // bars from the first downbeat; -1 includes a pick-up before it
    int toBar = 1000;      // exclusive
    float level = 1.0f;    // velocity scale at the start of the span...
    float levelTo = -1.0f; // ...and at its end, ramping linearly; negative keeps `level`
};

struct Sounds {
    KickDrum::Params kick{};
    SnareDrum::Params snare{};
    HandClap::Params clap{};
    HiHat::Params hat{};
    HiHat::Params openHat{.decay = 0.3f, .cutoffHz = 6500.0f};
    Cymbal::Params crash{};
    BassSynth::Params bass{};
    PadSynth::Params pad{};
    PluckSynth::Params arp{};
    LeadSynth::Params lead{};
};

struct Section {
    std::string_view scene;
    double start = 0.0;           // seconds; the section ends where the next one starts
    std::string_view progression; // chord names
    int barsPerChord = 1;
    std::vector<Track> tracks;
    Sounds sounds;
    float brightnessFrom = 0.5f; // filter opening, ramping across the section
    float brightnessTo = 0.5f;
    float reverb = 1.0f; // scales of the mixer's sends
    float delay = 1.0f;
    float entryCrash = 0.8f;   // crash on the first moment, 0 for none
    double riserSeconds = 0.0; // a sweep that lands on the first moment
};

// The whole piece in show order, one section per scene.
const std::vector<Section>& ShowSections();

} // namespace soundtrack
