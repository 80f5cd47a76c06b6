#include "Arrangement.h"

#include "Impact.h"
#include "MusicNotation.h"
#include "Riser.h"
#include "ShowCues.h"
#include "Timing.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>
#include <string>

namespace soundtrack {

namespace {

// Registers the parts are voiced in, as MIDI notes.
constexpr int padCenter = 64;  // chords close around E4
constexpr int arpCenter = 74;  // arpeggios start around D5
constexpr int bassLowest = 33; // bass roots from A1 up

// Accents stand alone: drum hits and arpeggio notes starting this shortly before a cue are left
// out, so the cue's onset is the loudest thing around it.
constexpr double impactClearance = 0.25;
constexpr double beatClearance = 0.11;

// The sounds of the cues: a deep splash for the water, a short saturated punch with a clap for
// the humanoid, a bright boom under a long crash for the flashes.
constexpr Impact::Params waterHitSound{.boomStartHz = 110.0f,
                                       .boomEndHz = 34.0f,
                                       .pitchDecay = 0.08f,
                                       .boomDecay = 0.1f,
                                       .noiseDecay = 0.08f,
                                       .noiseLevel = 0.8f,
                                       .noiseStartHz = 7000.0f,
                                       .noiseEndHz = 250.0f,
                                       .sweepTime = 0.06f,
                                       .drive = 1.5f};
constexpr Impact::Params punchSound{.boomStartHz = 220.0f,
                                    .boomEndHz = 55.0f,
                                    .pitchDecay = 0.03f,
                                    .boomDecay = 0.11f,
                                    .noiseDecay = 0.05f,
                                    .noiseLevel = 0.7f,
                                    .noiseStartHz = 8000.0f,
                                    .noiseEndHz = 1500.0f,
                                    .sweepTime = 0.05f,
                                    .drive = 2.0f};
constexpr HandClap::Params punchClapSound{.decay = 0.1f, .centerHz = 1600.0f};
constexpr Impact::Params flashBoomSound{.boomStartHz = 140.0f,
                                        .boomEndHz = 40.0f,
                                        .pitchDecay = 0.06f,
                                        .boomDecay = 0.2f,
                                        .noiseDecay = 0.15f,
                                        .noiseLevel = 0.9f,
                                        .noiseStartHz = 10000.0f,
                                        .noiseEndHz = 3000.0f,
                                        .sweepTime = 0.3f,
                                        .drive = 1.5f};
constexpr Cymbal::Params flashCrashSound{.decay = 1.6f, .cutoffHz = 5000.0f, .metal = 0.5f};

std::int64_t StepAtOrAfter(double seconds) {
    return static_cast<std::int64_t>(std::ceil(seconds / timing::stepSeconds - 1e-9));
}

std::int64_t Wrap(std::int64_t value, std::int64_t modulus) {
    return ((value % modulus) + modulus) % modulus;
}

// Whether a drum or arpeggio note at this time would blur the onset of a cue just after it.
bool Cleared(double time) {
    return std::any_of(showCues.begin(), showCues.end(), [time](const Cue& cue) {
        const double clearance = cue.kind == CueKind::HumanoidBeat ? beatClearance
                                 : cue.kind == CueKind::Glitch     ? 0.0
                                                                   : impactClearance;
        return time >= cue.time - clearance - 1e-9 && time < cue.time - 1e-9;
    });
}

bool Percussive(Part part) {
    return part != Part::Bass && part != Part::Pad && part != Part::Lead;
}

float DrumVelocity(char symbol) {
    switch (symbol) {
    case 'x':
        return 1.0f;
    case 'o':
        return 0.7f;
    case 'g':
        return 0.4f;
    default:
        return 0.0f;
    }
}

float Ramp(float from, float to, double start, double end, double at) {
    if (end <= start) return from;
    const double t = std::clamp((at - start) / (end - start), 0.0, 1.0);
    return static_cast<float>(from + (to - from) * t);
}

// Where a section's patterns start: its first downbeat.
double Anchor(const Section& section) {
    return std::ceil(section.start / timing::barSeconds - 1e-9) * timing::barSeconds;
}

// The chord sounding at a step counted from the anchor; a pick-up before it takes the first.
const Chord& ChordAt(const std::vector<Chord>& progression, const Section& section,
                     std::int64_t local) {
    const std::int64_t stepsPerChord =
        static_cast<std::int64_t>(timing::stepsPerBar) * section.barsPerChord;
    const std::int64_t index = std::max<std::int64_t>(0, local) / stepsPerChord;
    return progression[static_cast<std::size_t>(index % std::ssize(progression))];
}

// How many steps a note starting at `index` lasts: itself and the holds after it.
int HeldSteps(std::string_view pattern, std::int64_t index) {
    int steps = 1;
    while (steps < std::ssize(pattern) &&
           pattern[static_cast<std::size_t>(Wrap(index + steps, std::ssize(pattern)))] == '-')
        ++steps;
    return steps;
}

} // namespace

const Instrument* Arrangement::Band::For(Part part) const {
    switch (part) {
    case Part::Kick:
        return kick;
    case Part::Snare:
        return snare;
    case Part::Clap:
        return clap;
    case Part::Hat:
        return hat;
    case Part::OpenHat:
        return openHat;
    case Part::Crash:
        return crash;
    case Part::Bass:
        return bass;
    case Part::Pad:
        return pad;
    case Part::Arp:
        return arp;
    case Part::Lead:
        return lead;
    }
    return nullptr;
}

template <typename T, typename Params>
const Instrument* Arrangement::Add(const Params& params) {
    instruments.push_back(std::make_unique<T>(params));
    return instruments.back().get();
}

Arrangement::Band Arrangement::MakeBand(const Sounds& sounds) {
    return {
        .kick = Add<KickDrum>(sounds.kick),
        .snare = Add<SnareDrum>(sounds.snare),
        .clap = Add<HandClap>(sounds.clap),
        .hat = Add<HiHat>(sounds.hat),
        .openHat = Add<HiHat>(sounds.openHat),
        .crash = Add<Cymbal>(sounds.crash),
        .bass = Add<BassSynth>(sounds.bass),
        .pad = Add<PadSynth>(sounds.pad),
        .arp = Add<PluckSynth>(sounds.arp),
        .lead = Add<LeadSynth>(sounds.lead),
    };
}

Arrangement::Arrangement() {
    const std::vector<Section>& sections = ShowSections();
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const double end = i + 1 < sections.size() ? sections[i + 1].start : timing::showSeconds;
        AddSection(sections[i], end);
    }
    AddCues();
    std::stable_sort(events.begin(), events.end(),
                     [](const NoteEvent& a, const NoteEvent& b) { return a.time < b.time; });
    std::uint32_t seed = 1;
    for (NoteEvent& event : events)
        event.seed = seed++;
}

void Arrangement::AddSection(const Section& section, double end) {
    const Band band = MakeBand(section.sounds);
    for (const Track& track : section.tracks) {
        if (track.part == Part::Lead)
            AddMelody(section, track, band, end);
        else
            AddTrack(section, track, band, end);
    }
    AddEntry(section, band);
}

void Arrangement::AddTrack(const Section& section, const Track& track, const Band& band,
                           double end) {
    const std::vector<Chord> progression = ParseProgression(section.progression);
    const double anchor = Anchor(section);
    const std::int64_t anchorStep = StepAtOrAfter(anchor);
    const double spanStart = std::max(section.start, anchor + track.fromBar * timing::barSeconds);
    const double spanEnd = std::min(end, anchor + track.toBar * timing::barSeconds);
    const std::int64_t patternSteps = std::ssize(track.pattern);

    for (std::int64_t step = StepAtOrAfter(spanStart); step * timing::stepSeconds < spanEnd - 1e-9;
         ++step) {
        const std::int64_t local = step - anchorStep;
        const std::int64_t index = Wrap(local, patternSteps);
        const char symbol = track.pattern[static_cast<std::size_t>(index)];
        if (symbol == '.' || symbol == '-') continue;
        if (Percussive(track.part) && Cleared(step * timing::stepSeconds)) continue;

        NoteEvent note;
        note.time = step * timing::stepSeconds;
        note.instrument = band.For(track.part);
        note.velocity = Ramp(track.level, track.levelTo < 0 ? track.level : track.levelTo,
                             spanStart, spanEnd, note.time);
        note.brightness =
            Ramp(section.brightnessFrom, section.brightnessTo, section.start, end, note.time);
        // Notes stop at the section's end, and a held chord at the next chord change.
        const double held = HeldSteps(track.pattern, index) * timing::stepSeconds;
        note.length = std::min(held, end - note.time);
        const Chord& chord = ChordAt(progression, section, local);

        switch (track.part) {
        case Part::Bass: {
            const float root = chord.Bass(bassLowest);
            note.pitch = symbol == 'O' ? root + 12 : symbol == 'F' ? root + 7 : root;
            note.length *= 0.9; // a hair of staccato keeps repeated notes distinct
            events.push_back(note);
            break;
        }
        case Part::Arp: {
            const std::vector<float> tones = chord.Voicing(arpCenter);
            const int degree = symbol - '0';
            note.pitch =
                tones[static_cast<std::size_t>(degree) % tones.size()] +
                12.0f * static_cast<float>(static_cast<std::size_t>(degree) / tones.size());
            note.pan = 0.4f * static_cast<float>(std::sin(step * 0.7));
            events.push_back(note);
            break;
        }
        case Part::Pad: {
            const std::int64_t stepsPerChord =
                static_cast<std::int64_t>(timing::stepsPerBar) * section.barsPerChord;
            const std::int64_t chordEnd =
                (std::max<std::int64_t>(0, local) / stepsPerChord + 1) * stepsPerChord;
            note.length = std::min(note.length, (chordEnd - local) * timing::stepSeconds);
            for (float tone : chord.Voicing(padCenter)) {
                note.pitch = tone;
                events.push_back(note);
            }
            break;
        }
        default:
            note.velocity *= DrumVelocity(symbol);
            note.pan = track.part == Part::Hat       ? 0.25f
                       : track.part == Part::OpenHat ? -0.25f
                                                     : 0.0f;
            events.push_back(note);
            break;
        }
    }
}

void Arrangement::AddMelody(const Section& section, const Track& track, const Band& band,
                            double end) {
    const Melody melody = Melody::Parse(track.pattern);
    if (melody.steps == 0)
        throw std::invalid_argument("empty melody in " + std::string(section.scene));
    const double anchor = Anchor(section);
    const std::int64_t anchorStep = StepAtOrAfter(anchor);
    const double spanStart = std::max(section.start, anchor + track.fromBar * timing::barSeconds);
    const double spanEnd = std::min(end, anchor + track.toBar * timing::barSeconds);

    // The melody loops from the first bar of the track's span.
    const std::int64_t first =
        anchorStep + std::int64_t{std::max(0, track.fromBar)} * timing::stepsPerBar;
    for (std::int64_t loop = first;; loop += melody.steps) {
        bool any = false;
        for (const MelodyNote& tune : melody.notes) {
            const double time = (loop + tune.step) * timing::stepSeconds;
            if (time >= spanEnd - 1e-9) break;
            any = true;
            if (time < spanStart - 1e-9) continue;
            NoteEvent note;
            note.time = time;
            note.length = std::min(tune.steps * timing::stepSeconds * 0.95, end - time);
            note.pitch = tune.pitch;
            note.instrument = band.lead;
            note.velocity = Ramp(track.level, track.levelTo < 0 ? track.level : track.levelTo,
                                 spanStart, spanEnd, time);
            note.brightness =
                Ramp(section.brightnessFrom, section.brightnessTo, section.start, end, time);
            events.push_back(note);
        }
        if (!any) break;
    }
}

void Arrangement::AddEntry(const Section& section, const Band& band) {
    if (section.entryCrash > 0.0f) {
        NoteEvent crash;
        crash.time = section.start;
        crash.velocity = section.entryCrash;
        crash.instrument = band.crash;
        events.push_back(crash);
    }
    if (section.riserSeconds > 0.0) {
        NoteEvent sweep;
        sweep.time = section.start - section.riserSeconds;
        sweep.length = section.riserSeconds;
        sweep.velocity = 0.5f;
        sweep.instrument = Add<Riser>(Riser::Params{});
        events.push_back(sweep);
    }
    // A section starting between downbeats sounds its first chord at once.
    const double anchor = Anchor(section);
    const bool hasPad = std::any_of(section.tracks.begin(), section.tracks.end(),
                                    [](const Track& track) { return track.part == Part::Pad; });
    if (anchor > section.start + 1e-9 && hasPad) {
        const Chord first = ParseProgression(section.progression).front();
        for (float tone : first.Voicing(padCenter)) {
            NoteEvent pad;
            pad.time = section.start;
            pad.length = anchor - section.start;
            pad.pitch = tone;
            pad.velocity = 0.6f;
            pad.brightness = section.brightnessFrom;
            pad.instrument = band.pad;
            events.push_back(pad);
        }
    }
}

void Arrangement::AddCues() {
    const Instrument* waterHit = Add<Impact>(waterHitSound);
    const Instrument* punch = Add<Impact>(punchSound);
    const Instrument* punchClap = Add<HandClap>(punchClapSound);
    const Instrument* flashBoom = Add<Impact>(flashBoomSound);
    const Instrument* flashCrash = Add<Cymbal>(flashCrashSound);

    auto hit = [&](double time, const Instrument* instrument, float velocity) {
        NoteEvent note;
        note.time = time;
        note.velocity = velocity;
        note.instrument = instrument;
        events.push_back(note);
    };
    for (const Cue& cue : showCues) {
        switch (cue.kind) {
        case CueKind::WaterHit:
            hit(cue.time, waterHit, 1.0f);
            break;
        case CueKind::HumanoidBeat:
            hit(cue.time, punch, 0.9f);
            hit(cue.time, punchClap, 0.8f);
            break;
        case CueKind::Flash:
            hit(cue.time, flashBoom, 1.0f);
            hit(cue.time, flashCrash, 1.0f);
            break;
        case CueKind::Glitch: // an effect on the mix, not a note
            break;
        }
    }
}

} // namespace soundtrack
