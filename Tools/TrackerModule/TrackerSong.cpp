#include "TrackerModule/TrackerSong.h"

#include "TrackerModule/Arranger.h"
#include "TrackerModule/ImpulseTrackerWriter.h"
#include "TrackerModule/SampleSynth.h"

#include <string>
#include <string_view>

namespace {

enum Channel : std::size_t { lead, arpeggio, bass, kick, snare, hat, channelCount };
enum SampleNumber : std::uint8_t {
    kickSample = 1,
    snareSample,
    hatSample,
    bassSample,
    pulseSample,
    sawSample
};

constexpr std::size_t patternRows = 4 * Arranger::rowsPerBar;

const PartVoice leadVoice{pulseSample, 40};
const PartVoice softLeadVoice{pulseSample, 28};
const PartVoice arpeggioVoice{sawSample, 18};
const PartVoice bassVoice{bassSample, 36};
const PartVoice kickVoice{kickSample, 44, 60};
const PartVoice snareVoice{snareSample, 36, 52};
const PartVoice hatVoice{hatSample, 16, 26};

// A section is one pattern: four bars of chords, a lead line and the drum steps.
struct Section {
    std::string_view chords;
    std::string melody;
    PartVoice melodyVoice;
    std::string kicks;
    std::string snares;
    std::string hats;
};

std::string Bars(std::string_view bar, std::size_t times) {
    std::string bars;
    for (std::size_t i = 0; i < times; ++i)
        bars += bar;
    return bars;
}

enum SectionIndex : std::uint8_t {
    intro,
    themeA,
    themeAnswer,
    themeB,
    themeBAnswer,
    breakdown,
    finale
};

std::vector<Section> Sections() {
    const std::string kicks = Bars("X.......X.x.....", 4);
    const std::string backbeat = Bars("....X.......X...", 4);
    const std::string backbeatWithFill = Bars("....X.......X...", 3) + "....X.......XxXX";
    const std::string hats = Bars("X.x.X.x.X.x.X.x.", 4);
    const std::string silentBars = Bars("................", 3);
    const std::string finaleRun =
        Bars("A5:1 E5:1 C5:1 E5:1 ", 4) + Bars("A5:1 F5:1 C5:1 F5:1 ", 4) +
        Bars("B5:1 G5:1 D5:1 G5:1 ", 4) + "B5:2 G#5:2 E5:2 B4:2 G#4:2 B4:2 E5:2 G#5:2";
    return {
        {"Am F C G", "r:60 E4:2 G4:2", leadVoice, kicks, silentBars + "....X.......XxXX", hats},
        {"Am F C G",
         "A4:4 C5:2 E5:2 A5:4 G5:2 E5:2  F5:4 E5:2 C5:2 D5:3 C5:1 A4:4 "
         "G4:2 C5:2 E5:2 G5:2 E5:4 D5:2 C5:2  D5:6 B4:2 G4:4 r:4",
         leadVoice, kicks, backbeat, hats},
        {"Am F G E",
         "A4:4 C5:2 E5:2 A5:4 B5:2 C6:2  C6:4 A5:2 F5:2 G5:4 F5:2 E5:2 "
         "D5:4 G5:2 D5:2 B4:4 D5:2 F5:2  E5:4 G#5:2 B5:2 G#5:4 r:4",
         leadVoice, kicks, backbeatWithFill, hats},
        {"F G Em Am",
         "A5:2 G5:2 F5:2 A5:2 C6:4 A5:4  B5:2 A5:2 G5:2 B5:2 D6:4 B5:4 "
         "G5:4 E5:2 G5:2 B5:4 A5:2 G5:2  A5:8 E5:4 C5:4",
         leadVoice, kicks, backbeat, hats},
        {"Dm Am E E",
         "F5:2 E5:2 D5:2 F5:2 A5:4 F5:4  E5:2 D5:2 C5:2 E5:2 A5:4 E5:4 "
         "G#5:4 B5:2 G#5:2 E5:4 D5:2 C5:2  B4:8 r:4 G#4:2 B4:2",
         leadVoice, kicks, backbeatWithFill, hats},
        {"Am F G E", "E5:12 D5:2 C5:2  C5:12 D5:2 E5:2  D5:12 B4:2 D5:2  E5:8 G#5:4 B5:4",
         softLeadVoice, Bars("X...............", 4), silentBars + "x.x.x.x.XxXxXXXX",
         Bars("..x...x...x...x.", 4)},
        {"Am F G E", finaleRun, leadVoice, kicks, backbeatWithFill, hats},
    };
}

TrackerPattern Arrange(const Section& section) {
    TrackerPattern pattern(patternRows, channelCount);
    Arranger arranger(pattern);
    arranger.Melody(lead, section.melody, section.melodyVoice);
    arranger.Arpeggios(arpeggio, section.chords, arpeggioVoice);
    arranger.Bass(bass, section.chords, bassVoice);
    arranger.Steps(kick, section.kicks, kickVoice);
    arranger.Steps(snare, section.snares, snareVoice);
    arranger.Steps(hat, section.hats, hatVoice);
    return pattern;
}

} // namespace

TrackerModule TrackerSong::Compose() {
    TrackerModule module;
    module.title = "Lumenvale blocks";
    module.initialSpeed = 6;
    module.initialTempo = 130; // with four rows a beat: 130 BPM
    module.mixVolume = 72;
    module.channelPans = {32, 20, 32, 32, 38, 44};
    module.orders = {intro,       themeA,    themeAnswer, themeB,       themeBAnswer, themeA,
                     themeAnswer, breakdown, themeB,      themeBAnswer, finale};
    module.samples = {SampleSynth::Kick(), SampleSynth::Snare(), SampleSynth::Hat(),
                      SampleSynth::Bass(), SampleSynth::Pulse(), SampleSynth::Saw()};

    for (const Section& section : Sections())
        module.patterns.push_back(Arrange(section));
    // The finale plays once, last: it loops the song for players that stop at the end.
    Arranger(module.patterns[finale]).JumpTo(lead, 0);
    return module;
}

std::vector<std::uint8_t> TrackerSong::ModuleBytes() {
    return ImpulseTrackerWriter::Serialize(Compose());
}
