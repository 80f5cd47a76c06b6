// The piece, scene by scene. Each section changes the groove, the chords and the sounds at the
// moment its scene starts; accents for the scenes' cues are added on top by the arrangement.

#include "Section.h"

namespace soundtrack {

namespace {

Section Intro() {
    // A filtered pad alone, then bells, kick, hats, bass and the theme join one by one.
    return {
        .scene = "IntroScene",
        .start = 0.0,
        .progression = "Am Fmaj7 C G",
        .barsPerChord = 2,
        .tracks =
            {
                {Part::Pad, "x-------------------------------", -1, 1000, 0.55f, 0.9f},
                {Part::Arp, "0.1.2.4.3.2.1.2.", 4, 1000, 0.2f, 0.5f},
                {Part::Kick, "x.......x.......", 8, 16, 0.55f, 0.8f},
                {Part::Kick, "x...x...x...x...", 16, 1000, 0.9f},
                {Part::Hat, "..x...x...x...x.", 12, 20, 0.3f, 0.5f},
                {Part::Hat, "g.x.g.x.g.x.g.x.", 20, 1000, 0.5f},
                {Part::Bass, "R---R---R---R-O-", 16, 1000, 0.8f},
                {Part::Clap, "....x.......x...", 20, 1000, 0.7f},
                {Part::Lead,
                 "E5/6 D5/2 C5/4 B4/4 | A4/8 r/4 E4/4 | F4/6 A4/2 C5/4 E5/4 | D5/8 r/4 C5/4 |"
                 "E5/6 G5/2 E5/4 D5/4 | C5/8 r/4 G4/4 | B4/6 D5/2 B4/4 A4/4 | G4/8 r/4 B4/4",
                 16, 1000, 0.6f, 0.8f},
                {Part::Snare, "x.x.x.x.xxxxxxxx", 25, 26, 0.3f, 1.0f},
            },
        .sounds =
            {
                .kick = {.startHz = 130.0f, .ampDecay = 0.35f, .click = 0.1f, .drive = 1.2f},
                .lead = {.square = 0.1f,
                         .cutoffHz = 700.0f,
                         .brightHz = 1800.0f,
                         .envelopeHz = 800.0f,
                         .amp = {0.04f, 0.4f, 0.7f, 0.5f}},
            },
        .brightnessFrom = 0.05f,
        .brightnessTo = 0.8f,
        .reverb = 1.3f,
        .entryCrash = 0.0f,
    };
}

Section Serpent() {
    // Driving and snaking: four to the floor, a rolling off-beat bass, a harmonic-minor hook.
    return {
        .scene = "SerpentScene",
        .start = 52.0,
        .progression = "Am G F E",
        .tracks =
            {
                {Part::Kick, "x...x...x...x..."},
                {Part::Clap, "....x.......x..."},
                {Part::Hat, "xg.gxg.gxg.gxg.g", -1, 1000, 0.5f},
                {Part::OpenHat, "..x...x...x...x.", -1, 1000, 0.45f},
                {Part::Bass, ".RRR.RRR.RRR.RRR"},
                {Part::Pad, "x---------------", -1, 1000, 0.5f},
                {Part::Arp, "0..1..2..1..0..2", -1, 1000, 0.4f},
                {Part::Lead,
                 "A4/2 B4/2 C5/2 B4/2 A4/4 E5/4 | D5/2 C5/2 B4/2 C5/2 D5/4 G4/4 |"
                 "C5/2 D5/2 E5/2 F5/2 E5/4 C5/4 | B4/2 C5/2 B4/2 G#4/2 E4/8",
                 4, 1000, 0.7f},
                {Part::Snare, "....x...x.x.xxxx", 14, 15, 0.5f, 1.0f},
            },
        .sounds =
            {
                .kick = {.startHz = 160.0f, .ampDecay = 0.28f, .click = 0.3f, .drive = 1.8f},
                .bass = {.saw = 1.0f,
                         .sub = 0.4f,
                         .cutoffHz = 260.0f,
                         .envelopeHz = 1800.0f,
                         .filterDecay = 0.08f,
                         .amp = {0.002f, 0.09f, 0.4f, 0.03f}},
                .arp = {.ratio = 3.0f, .index = 1.5f, .ampDecay = 0.3f},
                .lead = {.square = 0.35f, .cutoffHz = 1500.0f, .vibratoDepth = 0.2f},
            },
        .brightnessFrom = 0.6f,
        .brightnessTo = 0.85f,
        .reverb = 0.9f,
        .riserSeconds = 4.0,
    };
}

Section Water() {
    // Wide and deep in half time, D minor, long reverb: room for the water's impacts.
    return {
        .scene = "WaterScene",
        .start = 82.0,
        .progression = "Dm Bb F C",
        .barsPerChord = 2,
        .tracks =
            {
                {Part::Kick, "x.........x.....", -1, 1000, 0.9f},
                {Part::Snare, "........x.......", -1, 1000, 0.8f},
                {Part::Hat, "x.x.x.x.x.x.x.x.", -1, 1000, 0.3f},
                {Part::Bass, "R---------------", -1, 1000, 0.6f},
                {Part::Pad, "x-------------------------------", -1, 1000, 0.55f},
                {Part::Arp, "0...2..1...4.3..", -1, 1000, 0.4f},
                {Part::Lead,
                 "A5/8 F5/4 E5/4 | D5/12 r/4 | F5/8 D5/4 C5/4 | Bb4/12 r/4 |"
                 "C5/8 A4/4 C5/4 | F5/12 r/4 | E5/8 G5/4 E5/4 | C5/12 r/4",
                 8, 1000, 0.6f},
            },
        .sounds =
            {
                .kick = {.startHz = 120.0f, .endHz = 40.0f, .ampDecay = 0.45f, .click = 0.15f},
                .snare =
                    {.toneHz = 160.0f, .toneDecay = 0.09f, .noiseDecay = 0.28f, .noiseHz = 1600.0f},
                .bass = {.saw = 0.4f,
                         .sub = 1.0f,
                         .cutoffHz = 160.0f,
                         .envelopeHz = 400.0f,
                         .amp = {0.02f, 0.6f, 0.8f, 0.3f}},
                .pad = {.detuneCents = 16.0f, .lfoHz = 0.12f, .amp = {1.0f, 1.5f, 0.8f, 1.5f}},
                .arp = {.ratio = 1.0f, .index = 1.2f, .indexDecay = 0.05f, .ampDecay = 0.35f},
                .lead = {.square = 0.0f,
                         .cutoffHz = 900.0f,
                         .vibratoDepth = 0.18f,
                         .amp = {0.08f, 0.5f, 0.8f, 0.6f}},
            },
        .brightnessFrom = 0.4f,
        .brightnessTo = 0.7f,
        .reverb = 1.3f,
        .delay = 1.3f,
        .entryCrash = 1.0f,
        .riserSeconds = 2.0,
    };
}

Section CubeWall() {
    // Mechanical: sixteenth hats, square bass, off-beat chord stabs, a fast arpeggio; the
    // filters open across the section.
    return {
        .scene = "CubeWallScene",
        .start = 114.0,
        .progression = "Em C G D",
        .tracks =
            {
                {Part::Kick, "x...x...x...x..."},
                {Part::Clap, "....x.......x..."},
                {Part::Snare, "...x..x....x..x.", -1, 11, 0.45f},
                {Part::Hat, "xgogxgogxgogxgog", -1, 1000, 0.55f},
                {Part::Bass, "RR.RR.R.RR.RR.OR"},
                {Part::Pad, "..x-..x-..x-..x-", -1, 1000, 0.65f},
                {Part::Arp, "0123012301230123", -1, 1000, 0.3f},
                {Part::Snare, "x.x.xxxxxxxxxxxx", 11, 12, 0.5f, 1.0f},
            },
        .sounds =
            {
                .kick = {.startHz = 170.0f, .endHz = 50.0f, .ampDecay = 0.22f, .drive = 2.2f},
                .snare = {.toneHz = 420.0f,
                          .toneDecay = 0.02f,
                          .toneLevel = 0.8f,
                          .noiseDecay = 0.04f,
                          .noiseHz = 4000.0f,
                          .noiseLevel = 0.5f},
                .hat = {.decay = 0.03f, .cutoffHz = 8000.0f, .metal = 0.7f},
                .bass = {.saw = 0.0f,
                         .square = 0.8f,
                         .sub = 0.5f,
                         .cutoffHz = 300.0f,
                         .envelopeHz = 2200.0f,
                         .filterDecay = 0.07f,
                         .resonance = 2.5f,
                         .amp = {0.002f, 0.1f, 0.5f, 0.03f}},
                .pad = {.detuneCents = 7.0f,
                        .cutoffHz = 800.0f,
                        .brightHz = 5000.0f,
                        .amp = {0.003f, 0.15f, 0.3f, 0.08f}},
                .arp = {.ratio = 1.0f, .index = 3.5f, .indexDecay = 0.04f, .ampDecay = 0.12f},
            },
        .brightnessFrom = 0.45f,
        .brightnessTo = 0.95f,
        .reverb = 0.6f,
        .delay = 0.6f,
        .entryCrash = 1.0f,
    };
}

Section Lab() {
    // Mysterious and spacious: a broken beat, brushed snare, glassy FM bells in the delay,
    // a theremin-like lead.
    return {
        .scene = "LabScene",
        .start = 137.8,
        .progression = "Am F Dm E",
        .barsPerChord = 2,
        .tracks =
            {
                {Part::Kick, "x.....x...x.....", -1, 1000, 0.8f},
                {Part::Snare, "....x.......x...", -1, 1000, 0.6f},
                {Part::Hat, "x..gx.g.x..gx.gg", -1, 1000, 0.35f},
                {Part::Bass, "R-----R...R-O---", -1, 1000, 0.8f},
                {Part::Pad, "x-------------------------------", -1, 1000, 0.6f},
                {Part::Arp, "0.....2.....1...", -1, 1000, 0.5f},
                {Part::Lead,
                 // Enters halfway through the progression, over Dm, and then plays it
                 // through from Am.
                 "r/64 | D5/8 F5/8 | A5/12 G5/4 | G#5/8 B5/4 G#5/4 | E5/16 |"
                 "E5/8 A5/8 | G5/12 E5/4 | F5/8 E5/4 C5/4 | A4/16 |"
                 "D5/8 F5/8 | A5/12 G5/4 | G#5/8 B5/4 G#5/4 | E5/16",
                 0, 1000, 0.55f},
            },
        .sounds =
            {
                .kick = {.startHz = 110.0f,
                         .endHz = 44.0f,
                         .ampDecay = 0.45f,
                         .click = 0.08f,
                         .drive = 1.2f},
                .snare =
                    {.toneLevel = 0.2f, .noiseDecay = 0.2f, .noiseHz = 3500.0f, .noiseLevel = 0.6f},
                .bass = {.saw = 0.5f, .sub = 1.0f, .cutoffHz = 180.0f, .envelopeHz = 600.0f},
                .pad = {.detuneCents = 14.0f,
                        .cutoffHz = 350.0f,
                        .brightHz = 2500.0f,
                        .lfoHz = 0.1f,
                        .lfoDepth = 0.4f},
                .arp = {.ratio = 3.5f, .index = 2.0f, .indexDecay = 0.3f, .ampDecay = 1.2f},
                .lead = {.square = 0.0f,
                         .cutoffHz = 1400.0f,
                         .envelopeHz = 500.0f,
                         .vibratoHz = 6.0f,
                         .vibratoDepth = 0.35f,
                         .vibratoDelay = 0.15f,
                         .amp = {0.12f, 0.6f, 0.85f, 0.5f}},
            },
        .brightnessFrom = 0.2f,
        .brightnessTo = 0.45f,
        .reverb = 1.4f,
        .delay = 1.5f,
        .entryCrash = 0.7f,
    };
}

Section SpaceShip() {
    // Lift-off: everything at once, bright supersaws, a rising anthem line.
    return {
        .scene = "SpaceShipScene",
        .start = 168.0,
        .progression = "F G Em Am",
        .tracks =
            {
                {Part::Kick, "x...x...x...x..."},
                {Part::Clap, "....x.......x..."},
                {Part::Hat, "xgxgxgxgxgxgxgxg", -1, 1000, 0.5f},
                {Part::OpenHat, "..x...x...x...x.", -1, 1000, 0.55f},
                {Part::Bass, ".RRR.RRR.RRR.RRR"},
                {Part::Pad, "x---------------", -1, 1000, 0.8f},
                {Part::Arp, "0123432101234321", -1, 1000, 0.4f},
                {Part::Lead,
                 "A5/4 G5/2 F5/2 E5/4 F5/4 | G5/4 D5/4 G5/4 B5/4 | B5/6 A5/2 G5/4 E5/4 |"
                 "A5/12 r/4",
                 -1, 1000, 0.7f},
                {Part::Snare, "x.x.xxxxxxxxxxxx", 5, 6, 0.6f, 1.0f},
            },
        .sounds =
            {
                .kick = {.startHz = 160.0f, .ampDecay = 0.3f, .click = 0.3f, .drive = 2.0f},
                .bass = {.saw = 1.0f,
                         .sub = 0.5f,
                         .cutoffHz = 350.0f,
                         .envelopeHz = 2200.0f,
                         .filterDecay = 0.09f,
                         .amp = {0.002f, 0.1f, 0.45f, 0.03f}},
                .pad = {.detuneCents = 18.0f,
                        .cutoffHz = 900.0f,
                        .brightHz = 6000.0f,
                        .amp = {0.05f, 0.6f, 0.85f, 0.5f}},
                .arp = {.ratio = 2.0f, .index = 2.0f, .indexDecay = 0.06f, .ampDecay = 0.15f},
                .lead = {.detuneCents = 12.0f,
                         .square = 0.4f,
                         .cutoffHz = 1800.0f,
                         .brightHz = 4000.0f},
            },
        .brightnessFrom = 0.8f,
        .brightnessTo = 1.0f,
        .entryCrash = 1.0f,
        .riserSeconds = 4.0,
    };
}

Section Picture() {
    // A breath of calm, then busy drums for the glitch to chop up.
    return {
        .scene = "PictureScene",
        .start = 179.0,
        .progression = "Am F",
        .tracks =
            {
                {Part::Pad, "x---------------", -1, 1000, 0.6f},
                {Part::Arp, "0.1.2.1.0.1.2.1.", -1, 1000, 0.4f},
                {Part::Kick, "x.......x.......", -1, 1, 0.7f},
                {Part::Hat, "..x...x...x...x.", -1, 1, 0.35f},
                {Part::Bass, "R-------R-------", -1, 1000, 0.6f},
                {Part::Kick, "x..x..x.x..x..x.", 1, 2, 0.9f},
                {Part::Snare, "x.x.xx.xx.xxxxxx", 1, 2, 0.6f, 1.0f},
                {Part::Hat, "xxxxxxxxxxxxxxxx", 1, 2, 0.5f},
            },
        .sounds =
            {
                .pad = {.detuneCents = 9.0f, .cutoffHz = 400.0f, .brightHz = 3000.0f},
                .arp = {.ratio = 4.0f, .index = 1.5f, .indexDecay = 0.2f, .ampDecay = 0.6f},
            },
        .brightnessFrom = 0.3f,
        .brightnessTo = 0.6f,
        .entryCrash = 0.6f,
    };
}

Section Humanoid() {
    // Robotic: the humanoid's hits are the groove, with a bass that follows them and a
    // clipped square lead.
    return {
        .scene = "HumanoidScene",
        .start = 184.0,
        .progression = "Am F C E",
        .tracks =
            {
                {Part::Kick, "x..............."},
                {Part::Snare, "....x...........", -1, 1000, 0.6f},
                {Part::Hat, "x.g.x.g.x.g.x.g.", -1, 1000, 0.35f},
                {Part::Bass, "R.........R..R..", -1, 1000, 0.9f},
                {Part::Pad, "x---------------", -1, 1000, 0.45f},
                {Part::Lead,
                 "A4/2 r/2 A4/2 C5/2 E5/4 r/4 | F5/2 r/2 E5/2 C5/2 A4/4 r/4 |"
                 "G4/2 r/2 G4/2 C5/2 E5/4 r/4 | G#4/2 r/2 B4/2 E5/2 G#5/4 r/4",
                 4, 1000, 0.45f},
            },
        .sounds =
            {
                .snare = {.toneHz = 240.0f, .noiseDecay = 0.1f, .noiseHz = 3000.0f},
                .bass = {.saw = 0.3f,
                         .square = 0.7f,
                         .sub = 0.8f,
                         .cutoffHz = 250.0f,
                         .envelopeHz = 1500.0f,
                         .filterDecay = 0.1f,
                         .resonance = 2.0f,
                         .amp = {0.002f, 0.15f, 0.5f, 0.05f}},
                .pad = {.detuneCents = 5.0f, .cutoffHz = 500.0f, .brightHz = 2500.0f},
                .lead = {.detuneCents = 3.0f,
                         .square = 1.0f,
                         .cutoffHz = 2000.0f,
                         .vibratoDepth = 0.0f,
                         .amp = {0.003f, 0.1f, 0.6f, 0.05f}},
            },
        .brightnessFrom = 0.5f,
        .brightnessTo = 0.6f,
        .reverb = 0.7f,
        .delay = 0.8f,
        .entryCrash = 1.0f,
    };
}

Section Truman() {
    // The intro's theme returns at full strength over a bouncing house groove.
    return {
        .scene = "TrumanScene",
        .start = 200.0,
        .progression = "Am F C G",
        .tracks =
            {
                {Part::Kick, "x...x...x...x..."},
                {Part::Clap, "....x.......x...", -1, 1000, 0.9f},
                {Part::Hat, "xg.gxg.gxg.gxg.g", -1, 1000, 0.5f},
                {Part::OpenHat, "..x...x...x...x.", 8, 1000, 0.45f},
                {Part::Bass, "R-.RR-.RR-.RR-.O"},
                {Part::Pad, "x---------------", -1, 1000, 0.7f},
                {Part::Arp, "0.2.1.3.2.4.3.5.", 4, 1000, 0.35f},
                {Part::Lead,
                 "E5/3 D5/1 C5/2 B4/2 A4/6 E4/2 | F4/3 A4/1 C5/2 E5/2 D5/6 C5/2 |"
                 "E5/3 G5/1 E5/2 D5/2 C5/6 G4/2 | B4/3 D5/1 B4/2 A4/2 G4/6 B4/2",
                 8, 1000, 0.75f},
            },
        .sounds =
            {
                .kick = {.startHz = 150.0f, .ampDecay = 0.3f, .click = 0.25f, .drive = 1.7f},
                .bass = {.saw = 1.0f,
                         .sub = 0.6f,
                         .cutoffHz = 300.0f,
                         .envelopeHz = 1600.0f,
                         .filterDecay = 0.1f,
                         .amp = {0.002f, 0.15f, 0.6f, 0.04f}},
                .pad = {.detuneCents = 13.0f, .amp = {0.2f, 0.8f, 0.8f, 0.6f}},
                .arp = {.ratio = 2.0f, .index = 1.8f, .ampDecay = 0.25f},
                .lead = {.square = 0.25f, .cutoffHz = 1500.0f, .brightHz = 3500.0f},
            },
        .brightnessFrom = 0.6f,
        .brightnessTo = 0.9f,
        .entryCrash = 1.0f,
        .riserSeconds = 2.0,
    };
}

Section Cantor() {
    // The climax, a tone higher in B minor: sixteenth bass, full kit, a soaring lead.
    return {
        .scene = "CantorScene",
        .start = 234.0,
        .progression = "Bm G D A",
        .tracks =
            {
                {Part::Kick, "x...x...x...x..."},
                {Part::Clap, "....x.......x..."},
                {Part::Snare, "......g.....g.g.", 8, 19, 0.5f},
                {Part::Hat, "xgogxgogxgogxgog", -1, 1000, 0.5f},
                {Part::OpenHat, "..x...x...x...x.", -1, 1000, 0.5f},
                {Part::Bass, "RRORRRORRRORRROR", -1, 1000, 0.7f},
                {Part::Pad, "x---------------", -1, 1000, 0.6f},
                {Part::Arp, "0123432101234321", -1, 1000, 0.35f},
                {Part::Lead,
                 "F#5/4 B5/4 A5/2 F#5/2 D5/4 | G5/4 B5/4 D6/4 B5/4 |"
                 "A5/4 F#5/2 A5/2 D6/4 C#6/4 | C#6/6 B5/2 A5/4 E5/4",
                 4, 1000, 0.7f},
                {Part::Snare, "x.x.xxxxxxxxxxxx", 19, 20, 0.6f, 1.0f},
            },
        .sounds =
            {
                .kick = {.startHz = 170.0f, .ampDecay = 0.3f, .click = 0.35f, .drive = 2.2f},
                .bass = {.saw = 1.0f,
                         .sub = 0.5f,
                         .cutoffHz = 320.0f,
                         .envelopeHz = 2000.0f,
                         .filterDecay = 0.06f,
                         .resonance = 1.8f,
                         .amp = {0.002f, 0.07f, 0.35f, 0.02f}},
                .pad = {.detuneCents = 18.0f,
                        .cutoffHz = 900.0f,
                        .brightHz = 6000.0f,
                        .amp = {0.05f, 0.6f, 0.85f, 0.5f}},
                .arp = {.ratio = 2.0f, .index = 2.5f, .indexDecay = 0.05f, .ampDecay = 0.15f},
                .lead = {.detuneCents = 12.0f,
                         .square = 0.4f,
                         .cutoffHz = 2000.0f,
                         .brightHz = 4000.0f,
                         .vibratoDepth = 0.2f},
            },
        .brightnessFrom = 0.7f,
        .brightnessTo = 1.0f,
        .entryCrash = 1.0f,
        .riserSeconds = 2.0,
    };
}

Section Logos() {
    // Coming home: the pad resolves to A minor, a last slow phrase, the kick fades to nothing.
    return {
        .scene = "LogosScene",
        .start = 273.0,
        .progression = "Fmaj7 G Am Am",
        .barsPerChord = 2,
        .tracks =
            {
                {Part::Pad, "x-------------------------------", -1, 1000, 0.8f, 0.5f},
                {Part::Arp, "0...1...2...3...", -1, 1000, 0.4f, 0.1f},
                {Part::Bass, "R-------------------------------", -1, 6, 0.6f, 0.3f},
                {Part::Kick, "x...............", -1, 4, 0.5f, 0.2f},
                {Part::Lead, "C5/8 A5/8 | G5/16 | D5/8 G5/8 | B5/16 | A5/32", 0, 1000, 0.55f},
            },
        .sounds =
            {
                .kick = {.startHz = 110.0f, .ampDecay = 0.5f, .click = 0.05f, .drive = 1.1f},
                .bass = {.saw = 0.3f,
                         .sub = 1.0f,
                         .cutoffHz = 150.0f,
                         .envelopeHz = 300.0f,
                         .amp = {0.05f, 1.0f, 0.8f, 0.8f}},
                .pad = {.detuneCents = 15.0f, .lfoHz = 0.1f, .amp = {1.0f, 1.5f, 0.8f, 2.0f}},
                .arp = {.ratio = 3.5f, .index = 1.5f, .indexDecay = 0.3f, .ampDecay = 1.5f},
                .lead = {.square = 0.0f,
                         .cutoffHz = 900.0f,
                         .vibratoDepth = 0.2f,
                         .amp = {0.1f, 0.8f, 0.8f, 1.2f}},
            },
        .brightnessFrom = 0.6f,
        .brightnessTo = 0.2f,
        .reverb = 1.7f,
        .delay = 1.6f,
        .entryCrash = 0.9f,
    };
}

} // namespace

const std::vector<Section>& ShowSections() {
    static const std::vector<Section> sections = {
        Intro(),   Serpent(),  Water(),  CubeWall(), Lab(),   SpaceShip(),
        Picture(), Humanoid(), Truman(), Cantor(),   Logos(),
    };
    return sections;
}

} // namespace soundtrack
