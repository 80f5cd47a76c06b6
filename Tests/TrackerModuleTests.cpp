// The game's tracker module: the Impulse Tracker writer, its pattern compression and limits,
// the score notation, the synthesized samples, and the song as libopenmpt loads and plays it.
#include "TrackerModule/Arranger.h"
#include "TrackerModule/ImpulseTrackerWriter.h"
#include "TrackerModule/Notation.h"
#include "TrackerModule/PatternPacker.h"
#include "TrackerModule/SampleSynth.h"
#include "TrackerModule/TrackerSong.h"

#include <gtest/gtest.h>
#include <libopenmpt/libopenmpt.hpp>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t renderRate = 48000;

struct Loudness {
    float peak = 0.0f;
    double rms = 0.0;
};

Loudness Measure(const std::vector<float>& stereo) {
    Loudness loudness;
    double sum = 0.0;
    for (const float value : stereo) {
        loudness.peak = std::max(loudness.peak, std::abs(value));
        sum += static_cast<double>(value) * value;
    }
    loudness.rms = stereo.empty() ? 0.0 : std::sqrt(sum / static_cast<double>(stereo.size()));
    return loudness;
}

// Renders up to seconds of stereo; the vector is as long as what the module delivered.
std::vector<float> Render(openmpt::module& module, double seconds) {
    const auto frames = static_cast<std::size_t>(seconds * renderRate);
    std::vector<float> stereo(2 * frames);
    std::size_t done = 0;
    while (done < frames) {
        const std::size_t got = module.read_interleaved_stereo(
            renderRate, std::min<std::size_t>(4096, frames - done), stereo.data() + 2 * done);
        if (got == 0) break;
        done += got;
    }
    stereo.resize(2 * done);
    return stereo;
}

class GameMusic : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        bytes = TrackerSong::ModuleBytes();
        song = TrackerSong::Compose();
    }

    std::unique_ptr<openmpt::module> Load() {
        return std::make_unique<openmpt::module>(bytes, log);
    }

    static inline std::vector<std::uint8_t> bytes;
    static inline TrackerModule song;
    std::ostringstream log;
};

TEST_F(GameMusic, LoadsAsImpulseTrackerWithoutWarnings) {
    const auto module = Load();
    EXPECT_EQ(log.str(), "");
    EXPECT_EQ(module->get_metadata("type"), "it");
    EXPECT_EQ(module->get_metadata("warnings"), "");
}

TEST_F(GameMusic, HoldsTheComposedSamplesPatternsAndOrders) {
    const auto module = Load();
    EXPECT_EQ(module->get_num_instruments(), 0);
    EXPECT_EQ(module->get_sample_names(),
              (std::vector<std::string>{"Kick", "Snare", "Hat", "Bass", "Pulse", "Saw"}));
    EXPECT_EQ(module->get_num_patterns(), static_cast<std::int32_t>(song.patterns.size()));
    EXPECT_EQ(module->get_num_orders(), static_cast<std::int32_t>(song.orders.size()));
    EXPECT_EQ(module->get_num_channels(), static_cast<std::int32_t>(song.channelPans.size()));
    for (std::size_t order = 0; order < song.orders.size(); ++order)
        EXPECT_EQ(module->get_order_pattern(static_cast<std::int32_t>(order)), song.orders[order]);
}

// libopenmpt unpacks every cell back to what the song composed: the pattern compression and the
// parapointers are right wherever the song uses them.
TEST_F(GameMusic, EveryPatternCellReadsBackAsComposed) {
    const auto module = Load();
    for (std::size_t index = 0; index < song.patterns.size(); ++index) {
        const TrackerPattern& pattern = song.patterns[index];
        const auto p = static_cast<std::int32_t>(index);
        ASSERT_EQ(module->get_pattern_num_rows(p), static_cast<std::int32_t>(pattern.Rows()));
        for (std::size_t row = 0; row < pattern.Rows(); ++row) {
            for (std::size_t channel = 0; channel < pattern.Channels(); ++channel) {
                const PatternCell& cell = pattern.At(row, channel);
                const auto r = static_cast<std::int32_t>(row);
                const auto c = static_cast<std::int32_t>(channel);
                SCOPED_TRACE("pattern " + std::to_string(index) + " row " + std::to_string(row) +
                             " channel " + std::to_string(channel));
                // libopenmpt counts notes from 1 and keeps note cut and off as they are.
                const int note = !cell.note ? 0 : *cell.note <= 119 ? *cell.note + 1 : *cell.note;
                EXPECT_EQ(module->get_pattern_row_channel_command(p, r, c, module->command_note),
                          note);
                EXPECT_EQ(
                    module->get_pattern_row_channel_command(p, r, c, module->command_instrument),
                    cell.sample);
                EXPECT_EQ(module->get_pattern_row_channel_command(p, r, c, module->command_volume),
                          cell.volume.value_or(0));
                const std::string effect =
                    cell.effect == 0 ? "."
                                     : std::string(1, static_cast<char>('A' + cell.effect - 1));
                EXPECT_EQ(
                    module->format_pattern_row_channel_command(p, r, c, module->command_effect),
                    effect);
                EXPECT_EQ(
                    module->get_pattern_row_channel_command(p, r, c, module->command_parameter),
                    cell.parameter);
            }
        }
    }
}

TEST_F(GameMusic, PlaysOverAMinuteOfAudibleUnclippedAudio) {
    const auto module = Load();
    const double duration = module->get_duration_seconds();
    EXPECT_GE(duration, 60.0);
    module->set_repeat_count(0);
    const std::vector<float> stereo = Render(*module, duration + 5.0);
    EXPECT_NEAR(static_cast<double>(stereo.size()) / 2 / renderRate, duration, 0.1);
    EXPECT_LT(Measure(stereo).peak, 0.99f);
    // Every second of the song is heard, so no pattern or sample went missing.
    const std::size_t second = 2 * renderRate;
    for (std::size_t start = 0; start + second <= stereo.size(); start += second) {
        const std::vector<float> slice(stereo.begin() + static_cast<std::ptrdiff_t>(start),
                                       stereo.begin() +
                                           static_cast<std::ptrdiff_t>(start + second));
        EXPECT_GT(Measure(slice).rms, 0.02) << "at " << start / second << " s";
    }
}

TEST_F(GameMusic, KeepsPlayingPastItsEndWhenRepeatedForever) {
    const auto module = Load();
    const double duration = module->get_duration_seconds();
    module->set_repeat_count(-1);
    const std::vector<float> stereo = Render(*module, duration + 10.0);
    ASSERT_EQ(stereo.size(), 2 * static_cast<std::size_t>((duration + 10.0) * renderRate));
    const std::vector<float> afterTheEnd(
        stereo.end() - static_cast<std::ptrdiff_t>(2 * 5 * renderRate), stereo.end());
    EXPECT_GT(Measure(afterTheEnd).rms, 0.02);
    // Ten seconds into the second time round: past the intro, in the first theme.
    EXPECT_EQ(module->get_current_order(), 1);
}

TEST_F(GameMusic, ComposesTheSameBytesEveryTime) {
    EXPECT_EQ(TrackerSong::ModuleBytes(), bytes);
}

// The music player's error path: libopenmpt refuses a module cut off before its header,
// order list and parapointers are complete.
TEST_F(GameMusic, TruncatedModulesAreRefused) {
    const std::size_t pointersEnd =
        0xC0 + song.orders.size() + 1 + 4 * (song.samples.size() + song.patterns.size());
    for (const std::size_t length :
         {std::size_t{0}, std::size_t{4}, std::size_t{0x40}, std::size_t{0xC0}, pointersEnd - 1}) {
        const std::vector<std::uint8_t> truncated(
            bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(length));
        std::ostringstream quiet;
        EXPECT_THROW(openmpt::module(truncated, quiet), openmpt::exception) << length << " bytes";
    }
}

// A pattern of the minimum height with the given cells set.
TrackerPattern
PatternWith(const std::vector<std::tuple<std::size_t, std::size_t, PatternCell>>& cells,
            std::size_t channels = 4) {
    TrackerPattern pattern(32, channels);
    for (const auto& [row, channel, cell] : cells)
        pattern.At(row, channel) = cell;
    return pattern;
}

struct PackingCase {
    const char* name;
    std::vector<std::tuple<std::size_t, std::size_t, PatternCell>> cells;
    std::vector<std::uint8_t> firstRows; // the remaining rows are empty: one zero byte each
};

TEST(PatternPacker, WritesOnlyWhatTheChannelDoesNotRemember) {
    const PatternCell full{60, 2, 48, PatternCell::Effect('J'), 0x37};
    PatternCell otherNote = full;
    otherNote.note = 62;
    const PatternCell cut{PatternCell::noteCut, 0, std::nullopt, 0, 0};
    const PackingCase cases[] = {
        {"empty rows are single zeros", {}, {}},
        {"a new cell sends a mask and every field",
         {{0, 2, full}},
         {0x83, 0x0F, 60, 2, 48, 10, 0x37, 0}},
        {"a repeated cell only flags the remembered fields",
         {{0, 0, full}, {1, 0, full}, {2, 0, full}},
         {0x81, 0x0F, 60, 2, 48, 10, 0x37, 0, 0x81, 0xF0, 0, 0x01, 0}},
        {"a changed note is sent, the rest reused",
         {{0, 0, full}, {1, 0, otherNote}},
         {0x81, 0x0F, 60, 2, 48, 10, 0x37, 0, 0x81, 0xE1, 62, 0}},
        {"channels remember separately, in channel order",
         {{0, 3, cut}, {0, 1, full}, {1, 3, cut}},
         {0x82, 0x0F, 60, 2, 48, 10, 0x37, 0x84, 0x01, 254, 0, 0x84, 0x10, 0}},
    };
    for (const PackingCase& test : cases) {
        std::vector<std::uint8_t> expected = test.firstRows;
        const std::size_t rowsWritten = std::count(expected.begin(), expected.end(), 0);
        expected.resize(expected.size() + 32 - rowsWritten, 0);
        EXPECT_EQ(PatternPacker::Pack(PatternWith(test.cells)), expected) << test.name;
    }
    EXPECT_THROW(PatternPacker::Pack(TrackerPattern(32, 65)), std::invalid_argument);
}

// The smallest module the writer accepts: one sample played on one channel.
TrackerModule TinyModule() {
    TrackerModule module;
    module.channelPans = {32};
    module.orders = {0};
    module.samples = {SampleSynth::Pulse()};
    module.patterns = {PatternWith({{0, 0, {60, 1, 64, 0, 0}}}, 1)};
    return module;
}

TEST(ImpulseTrackerWriter, RefusesWhatTheFormatCannotHold) {
    const std::pair<const char*, std::function<void(TrackerModule&)>> cases[] = {
        {"no orders", [](TrackerModule& m) { m.orders.clear(); }},
        {"an order past the patterns", [](TrackerModule& m) { m.orders.push_back(1); }},
        {"256 orders", [](TrackerModule& m) { m.orders.assign(256, 0); }},
        {"100 samples", [](TrackerModule& m) { m.samples.resize(100); }},
        {"a loop past the frames", [](TrackerModule& m) { m.samples[0].loop->end += 1; }},
        {"an empty loop",
         [](TrackerModule& m) { m.samples[0].loop->begin = m.samples[0].loop->end; }},
        {"a sample volume above 64", [](TrackerModule& m) { m.samples[0].defaultVolume = 65; }},
        {"a pattern of 16 rows", [](TrackerModule& m) { m.patterns[0] = TrackerPattern(16, 1); }},
        {"a pattern wider than the pans",
         [](TrackerModule& m) { m.patterns[0] = TrackerPattern(32, 2); }},
        {"65 channels", [](TrackerModule& m) { m.channelPans.assign(65, 32); }},
        {"a missing sample", [](TrackerModule& m) { m.patterns[0].At(0, 0).sample = 2; }},
        {"note 120", [](TrackerModule& m) { m.patterns[0].At(0, 0).note = 120; }},
        {"effect 27", [](TrackerModule& m) { m.patterns[0].At(0, 0).effect = 27; }},
    };
    ASSERT_NO_THROW(ImpulseTrackerWriter::Serialize(TinyModule()));
    for (const auto& [name, spoil] : cases) {
        TrackerModule module = TinyModule();
        spoil(module);
        EXPECT_THROW(ImpulseTrackerWriter::Serialize(module), std::invalid_argument) << name;
    }
}

TEST(ImpulseTrackerWriter, WriteFailsOnAnUnwritablePath) {
    EXPECT_THROW(ImpulseTrackerWriter::Write(TinyModule(), "no/such/directory/x.it"),
                 std::runtime_error);
}

TEST(TrackerNotation, ReadsPitchesAsATrackerNamesThem) {
    const std::pair<const char*, int> pitches[] = {{"C0", 0},   {"C5", 60},  {"A4", 57},
                                                   {"G#4", 56}, {"B9", 119}, {"C#6", 73}};
    for (const auto& [name, pitch] : pitches)
        EXPECT_EQ(Notation::Pitch(name), pitch) << name;
    for (const char* bad : {"", "H4", "E#4", "B#4", "C", "C10", "c5", "A#"})
        EXPECT_THROW(Notation::Pitch(bad), std::invalid_argument) << bad;
}

TEST(TrackerNotation, ReadsMelodiesAndChords) {
    const std::vector<Notation::Note> notes = Notation::Melody(" A4:4  r:2 C#5:12 ");
    ASSERT_EQ(notes.size(), 3u);
    EXPECT_EQ(notes[0].pitch, 57);
    EXPECT_EQ(notes[0].rows, 4u);
    EXPECT_FALSE(notes[1].pitch);
    EXPECT_EQ(notes[1].rows, 2u);
    EXPECT_EQ(notes[2].pitch, 61);
    EXPECT_EQ(notes[2].rows, 12u);
    for (const char* bad : {"A4", "A4:", "A4:0", "A4:x", "r"})
        EXPECT_THROW(Notation::Melody(bad), std::invalid_argument) << bad;

    const std::vector<Notation::Chord> chords = Notation::Chords("Am F C#m");
    ASSERT_EQ(chords.size(), 3u);
    EXPECT_EQ(chords[0].root, 9);
    EXPECT_TRUE(chords[0].minor);
    EXPECT_EQ(chords[1].root, 5);
    EXPECT_FALSE(chords[1].minor);
    EXPECT_EQ(chords[2].root, 1);
    EXPECT_THROW(Notation::Chords("Amaj"), std::invalid_argument);
}

TEST(TrackerArranger, LaysMelodiesAndStepsOnTheirRows) {
    TrackerPattern pattern(32, 2);
    Arranger arranger(pattern);
    arranger.Melody(0, "A4:4 r:2 C5:1", {5, 40});
    arranger.Steps(1, "x..X", {1, 30, 60});
    EXPECT_EQ(pattern.At(0, 0), (PatternCell{57, 5, 40, 0, 0}));
    EXPECT_EQ(pattern.At(4, 0).note, PatternCell::noteCut);
    EXPECT_EQ(pattern.At(6, 0), (PatternCell{60, 5, 40, 0, 0}));
    EXPECT_TRUE(pattern.At(1, 0).Empty());
    EXPECT_EQ(pattern.At(0, 1).volume, 30);
    EXPECT_EQ(pattern.At(3, 1).volume, 60);
    EXPECT_TRUE(pattern.At(1, 1).Empty());
    EXPECT_THROW(arranger.Melody(0, "A4:33", {5, 40}), std::invalid_argument);
    EXPECT_THROW(arranger.Steps(1, "x-x", {1, 30}), std::invalid_argument);
}

TEST(TrackerSamples, WaveformsLoopOneCycleTunedToMiddleC) {
    for (const TrackerSample& sample :
         {SampleSynth::Bass(), SampleSynth::Pulse(), SampleSynth::Saw()}) {
        SCOPED_TRACE(sample.name);
        ASSERT_EQ(sample.frames.size(), SampleSynth::cycleFrames);
        ASSERT_TRUE(sample.loop);
        EXPECT_EQ(sample.loop->begin, 0u);
        EXPECT_EQ(sample.loop->end, SampleSynth::cycleFrames);
        EXPECT_NEAR(static_cast<double>(sample.c5Speed) / SampleSynth::cycleFrames, 261.63, 0.01);
    }
}

TEST(TrackerSamples, DrumsStartLoudAndDecayToSilence) {
    for (const TrackerSample& sample :
         {SampleSynth::Kick(), SampleSynth::Snare(), SampleSynth::Hat()}) {
        SCOPED_TRACE(sample.name);
        EXPECT_FALSE(sample.loop);
        EXPECT_EQ(sample.c5Speed, SampleSynth::drumRate);
        ASSERT_GT(sample.frames.size(), 1000u);
        int loudest = 0;
        for (const std::int16_t frame : sample.frames)
            loudest = std::max(loudest, std::abs(static_cast<int>(frame)));
        EXPECT_GT(loudest, 30000);
        // The tail fades to nothing, so the hit ends without a click.
        EXPECT_LT(std::abs(static_cast<int>(sample.frames[sample.frames.size() - 100])), 800);
        EXPECT_LT(std::abs(static_cast<int>(sample.frames.back())), 40);
    }
}

} // namespace
