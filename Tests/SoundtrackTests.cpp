// The soundtrack generator: excerpts rendered in memory (full-scale safety, the accents the
// scenes are timed to, the glitch, the change at every scene switch, repeatability), the
// Vorbis writer, the notation the piece is written in, and the file the data build encodes.
#include "Soundtrack/Limiter.h"
#include "Soundtrack/MusicNotation.h"
#include "Soundtrack/Section.h"
#include "Soundtrack/ShowCues.h"
#include "Soundtrack/Song.h"
#include "Soundtrack/Timing.h"
#include "Soundtrack/VorbisWriter.h"

#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using namespace soundtrack;

// A rendered stretch of the show that is read by show time.
struct Excerpt {
    double from;
    StereoBuffer audio;

    Excerpt(double start, double seconds) : from(start), audio(RenderSoundtrack(start, seconds)) {}

    std::size_t Index(double seconds) const {
        return static_cast<std::size_t>(timing::FrameAt(seconds) - timing::FrameAt(from));
    }
    // Mean square of both channels over [start, end).
    double Energy(double start, double end) const {
        double sum = 0.0;
        for (std::size_t i = Index(start); i < Index(end); ++i)
            sum += audio.left[i] * audio.left[i] + audio.right[i] * audio.right[i];
        return sum / (2.0 * static_cast<double>(Index(end) - Index(start)));
    }
    float Peak(double start, double end) const {
        float peak = 0.0f;
        for (std::size_t i = Index(start); i < Index(end); ++i)
            peak = std::max({peak, std::fabs(audio.left[i]), std::fabs(audio.right[i])});
        return peak;
    }
    // Share of frames equal to the frame before them, the fingerprint of sample-and-hold.
    double HeldShare(double start, double end) const {
        std::size_t held = 0;
        for (std::size_t i = Index(start) + 1; i < Index(end); ++i)
            held += audio.left[i] == audio.left[i - 1] && audio.right[i] == audio.right[i - 1];
        return static_cast<double>(held) / static_cast<double>(Index(end) - Index(start));
    }
};

double Decibels(double ratio) {
    return 10.0 * std::log10(ratio);
}

// Energy in octave bands from 31 Hz to 16 kHz of the mono mix over [start, end), in dB,
// averaged over 4096-frame Hann windows.
std::vector<double> OctaveSpectrum(const Excerpt& excerpt, double start, double end) {
    constexpr std::size_t size = 4096;
    constexpr int bands = 10;
    std::vector<double> energy(bands, 1e-20);
    for (std::size_t first = excerpt.Index(start); first + size <= excerpt.Index(end);
         first += size / 2) {
        std::vector<std::complex<double>> bins(size);
        for (std::size_t i = 0; i < size; ++i) {
            const double window = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / size);
            bins[i] = window * (excerpt.audio.left[first + i] + excerpt.audio.right[first + i]);
        }
        // Iterative radix-2 FFT.
        for (std::size_t i = 1, j = 0; i < size; ++i) {
            std::size_t bit = size >> 1;
            for (; j & bit; bit >>= 1)
                j ^= bit;
            j ^= bit;
            if (i < j) std::swap(bins[i], bins[j]);
        }
        for (std::size_t length = 2; length <= size; length <<= 1) {
            const std::complex<double> step = std::polar(1.0, -2.0 * std::numbers::pi / length);
            for (std::size_t i = 0; i < size; i += length) {
                std::complex<double> twiddle = 1.0;
                for (std::size_t k = 0; k < length / 2; ++k, twiddle *= step) {
                    const std::complex<double> odd = bins[i + k + length / 2] * twiddle;
                    bins[i + k + length / 2] = bins[i + k] - odd;
                    bins[i + k] += odd;
                }
            }
        }
        for (std::size_t k = 1; k < size / 2; ++k) {
            const double hz = static_cast<double>(k) * timing::sampleRate / size;
            const int band = static_cast<int>(std::floor(std::log2(hz / 31.25)));
            if (band >= 0 && band < bands) energy[band] += std::norm(bins[k]);
        }
    }
    for (double& band : energy)
        band = Decibels(band);
    return energy;
}

struct Decoded {
    int channels = 0;
    long rate = 0;
    ogg_int64_t frames = 0;
    std::vector<float> left;
    std::vector<float> right;
};

Decoded Decode(const fs::path& file) {
    OggVorbis_File vorbis;
    if (ov_fopen(file.c_str(), &vorbis) != 0)
        throw std::runtime_error("cannot open " + file.string() + " as Ogg Vorbis");
    Decoded decoded;
    const vorbis_info* info = ov_info(&vorbis, -1);
    decoded.channels = info->channels;
    decoded.rate = info->rate;
    decoded.frames = ov_pcm_total(&vorbis, -1);
    float** pcm = nullptr;
    int section = 0;
    long got = 0;
    while ((got = ov_read_float(&vorbis, &pcm, 4096, &section)) > 0) {
        decoded.left.insert(decoded.left.end(), pcm[0], pcm[0] + got);
        decoded.right.insert(decoded.right.end(), pcm[decoded.channels - 1],
                             pcm[decoded.channels - 1] + got);
    }
    ov_clear(&vorbis);
    return decoded;
}

fs::path ScratchFile(const std::string& name) {
    return fs::temp_directory_path() / ("lumenvale_soundtrack_" + name);
}

double SectionEnd(std::size_t index) {
    const std::vector<Section>& sections = ShowSections();
    return index + 1 < sections.size() ? sections[index + 1].start : timing::showSeconds;
}

// --- Accents -------------------------------------------------------------------------------

// Each cue's onset must be the loudest thing around it and land on its exact time: the 30 ms
// from the cue carry much more energy than the 100 ms before, and the peak in the 10 ms after
// it towers over the peak just before (a hit early or late by a few ms fails one or the other).
// These are the loudest passages of the piece, and even they stay under the ceiling.
TEST(SoundtrackCues, EveryAccentStandsOutAndStaysUnderTheCeiling) {
    struct Stretch {
        double from;
        double to;
    };
    // The cues in a few renders, to keep the test quick.
    const std::vector<Stretch> stretches = {
        {89.5, 111.0}, {185.0, 198.2}, {239.5, 256.2}, {269.5, 270.2}};
    int checked = 0;
    for (const Stretch& stretch : stretches) {
        const Excerpt excerpt(stretch.from, stretch.to - stretch.from);
        EXPECT_LE(excerpt.Peak(stretch.from, stretch.to), Song::ceiling + 1e-6f);
        for (const Cue& cue : showCues) {
            if (cue.kind == CueKind::Glitch || cue.time < stretch.from + 0.2 ||
                cue.time > stretch.to - 0.1)
                continue;
            ++checked;
            SCOPED_TRACE("cue at " + std::to_string(cue.time) + " s");
            const double onset = Decibels(excerpt.Energy(cue.time, cue.time + 0.03) /
                                          excerpt.Energy(cue.time - 0.1, cue.time));
            EXPECT_GT(onset, 6.0);
            const double jump = 2.0 * Decibels(excerpt.Peak(cue.time, cue.time + 0.01) /
                                               excerpt.Peak(cue.time - 0.025, cue.time - 0.002));
            EXPECT_GT(jump, 4.0);
        }
    }
    EXPECT_EQ(checked, static_cast<int>(showCues.size()) - 1) << "every hit cue is covered";
}

TEST(SoundtrackCues, PictureGlitchStuttersAndCrushesOnlyItsSpan) {
    const Cue& glitch = *std::find_if(showCues.begin(), showCues.end(),
                                      [](const Cue& cue) { return cue.kind == CueKind::Glitch; });
    const double end = glitch.time + glitch.length;
    const Excerpt excerpt(glitch.time - 2.0, glitch.length + 4.0);

    EXPECT_GT(excerpt.HeldShare(glitch.time, end), 0.5);
    EXPECT_LT(excerpt.HeldShare(glitch.time - 2.0, glitch.time), 0.01);
    EXPECT_LT(excerpt.HeldShare(end, end + 2.0), 0.01);
    EXPECT_GT(Decibels(excerpt.Energy(glitch.time, end)), -40.0) << "the glitch is not silence";
}

// --- Level ---------------------------------------------------------------------------------

TEST(SoundtrackLevel, LimiterHoldsLoudInputUnderTheCeilingAndDelaysItExactly) {
    constexpr float ceiling = 0.5f;
    constexpr int lookahead = 64;
    Limiter limiter(ceiling, lookahead, 0.1f);
    const std::size_t frames = 4000;
    std::vector<float> left(frames, 0.0f);
    std::vector<float> right(frames, 0.0f);
    // Quiet sine, one loud click at frame 1000, then a loud sine from frame 2000.
    for (std::size_t i = 0; i < frames; ++i) {
        const float sine = std::sin(2.0f * std::numbers::pi_v<float> * i / 100.0f);
        left[i] = (i < 2000 ? 0.1f : 3.0f) * sine;
        right[i] = -left[i];
    }
    left[1000] = 4.0f;
    const std::vector<float> input = left;
    limiter.Process(left, right);

    const std::size_t latency = static_cast<std::size_t>(limiter.Latency());
    for (std::size_t i = 0; i < frames; ++i) {
        ASSERT_LE(std::fabs(left[i]), ceiling + 1e-6f) << "frame " << i;
        ASSERT_LE(std::fabs(right[i]), ceiling + 1e-6f) << "frame " << i;
    }
    // Quiet input passes untouched, shifted by the latency.
    EXPECT_FLOAT_EQ(left[500 + latency], input[500]);
    // The click comes out at its own (delayed) place, as the loudest sample of its neighbourhood.
    const auto loudest =
        std::max_element(left.begin() + 900, left.begin() + 1200,
                         [](float a, float b) { return std::fabs(a) < std::fabs(b); });
    EXPECT_EQ(static_cast<std::size_t>(loudest - left.begin()), 1000 + latency);
    EXPECT_NEAR(*loudest, ceiling, 1e-4f);
}

// --- Sections ------------------------------------------------------------------------------

// At every scene switch the music changes audibly: the spectrum of the two seconds after the
// switch differs from that of the two seconds before it.
TEST(SoundtrackSections, EverySceneSwitchChangesTheSound) {
    const std::vector<Section>& sections = ShowSections();
    for (std::size_t i = 1; i < sections.size(); ++i) {
        const double at = sections[i].start;
        SCOPED_TRACE(std::string(sections[i].scene) + " at " + std::to_string(at) + " s");
        const Excerpt excerpt(at - 2.5, 5.0);
        const std::vector<double> before = OctaveSpectrum(excerpt, at - 2.3, at - 0.1);
        const std::vector<double> after = OctaveSpectrum(excerpt, at + 0.1, at + 2.3);
        double difference = 0.0;
        for (std::size_t band = 0; band < before.size(); ++band)
            difference += std::fabs(after[band] - before[band]);
        // Within a section, two such windows differ by about 1 dB.
        EXPECT_GT(difference / before.size(), 2.5) << "mean octave-band change in dB";
    }
}

// The soundtrack's sections are the scenes of the show's event list, at the same times.
TEST(SoundtrackSections, FollowTheScenesEventList) {
    const fs::path scenes =
        fs::path(LUMENVALE_SOURCE_ROOT) / "Assets" / "Data" / "event" / "Scenes";
    std::ifstream list(scenes);
    ASSERT_TRUE(list) << scenes;
    std::vector<std::pair<double, std::string>> listed;
    double time = 0.0;
    std::string name;
    while (list >> time >> name)
        listed.emplace_back(time, name);

    const std::vector<Section>& sections = ShowSections();
    ASSERT_EQ(sections.size(), listed.size());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        EXPECT_EQ(sections[i].scene, listed[i].second);
        EXPECT_DOUBLE_EQ(sections[i].start, listed[i].first);
    }
}

// --- Repeatability -------------------------------------------------------------------------

TEST(SoundtrackRender, SameStartRendersTheSameSamples) {
    const StereoBuffer first = RenderSoundtrack(100.0, 2.0);
    const StereoBuffer second = RenderSoundtrack(100.0, 2.0);
    EXPECT_EQ(first.left, second.left);
    EXPECT_EQ(first.right, second.right);
}

// An excerpt is the same music as the same stretch heard in a longer render: the frames line
// up exactly, and the warm-up fills the effects and the notes already sounding, leaving only
// the faint tails of notes begun before it (one frame of misalignment alone brings the
// difference up to about -17 dB).
TEST(SoundtrackRender, ExcerptMatchesTheStretchInALongerRender) {
    const Excerpt longer(140.0, 10.0);
    const Excerpt excerpt(146.0, 2.0);
    double difference = 0.0;
    double signal = 0.0;
    for (std::size_t i = 0; i < excerpt.audio.left.size(); ++i) {
        const std::size_t j = longer.Index(146.0) + i;
        difference += std::pow(excerpt.audio.left[i] - longer.audio.left[j], 2) +
                      std::pow(excerpt.audio.right[i] - longer.audio.right[j], 2);
        signal += std::pow(longer.audio.left[j], 2) + std::pow(longer.audio.right[j], 2);
    }
    EXPECT_LT(Decibels(difference / signal), -40.0);
}

// --- Vorbis --------------------------------------------------------------------------------

class SoundtrackVorbis : public ::testing::Test {
protected:
    void TearDown() override {
        for (const fs::path& file : files)
            fs::remove(file);
    }
    fs::path Scratch(const std::string& name) {
        files.push_back(ScratchFile(name));
        fs::remove(files.back());
        return files.back();
    }
    static void Encode(const fs::path& file, const StereoBuffer& audio) {
        VorbisWriter writer(file, timing::sampleRate, 0.35f);
        writer.Write(audio.left, audio.right);
        writer.Finish();
    }
    std::vector<fs::path> files;
};

TEST_F(SoundtrackVorbis, EncodesEveryFrameOfTheAudioRepeatably) {
    const StereoBuffer audio = RenderSoundtrack(60.0, 1.5);
    const fs::path first = Scratch("first.ogg");
    const fs::path second = Scratch("second.ogg");
    Encode(first, audio);
    Encode(second, audio);

    const Decoded decoded = Decode(first);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_EQ(decoded.rate, timing::sampleRate);
    EXPECT_EQ(decoded.frames, static_cast<ogg_int64_t>(audio.left.size()));
    ASSERT_EQ(decoded.left.size(), audio.left.size());
    double error = 0.0;
    double signal = 0.0;
    for (std::size_t i = 0; i < audio.left.size(); ++i) {
        error += std::pow(decoded.left[i] - audio.left[i], 2) +
                 std::pow(decoded.right[i] - audio.right[i], 2);
        signal += std::pow(audio.left[i], 2) + std::pow(audio.right[i], 2);
    }
    EXPECT_LT(Decibels(error / signal), -10.0) << "the decoded audio is the music, not noise";

    std::ifstream a(first, std::ios::binary);
    std::ifstream b(second, std::ios::binary);
    const std::string bytesA((std::istreambuf_iterator<char>(a)), {});
    const std::string bytesB((std::istreambuf_iterator<char>(b)), {});
    EXPECT_EQ(bytesA, bytesB) << "two encodes of the same audio are the same file";
}

TEST_F(SoundtrackVorbis, UnfinishedWriteLeavesNoFile) {
    const fs::path file = Scratch("unfinished.ogg");
    {
        VorbisWriter writer(file, timing::sampleRate, 0.35f);
        const std::vector<float> silence(4096, 0.0f);
        writer.Write(silence, silence);
    }
    EXPECT_FALSE(fs::exists(file));
    EXPECT_FALSE(fs::exists(file.string() + ".part"));
}

TEST_F(SoundtrackVorbis, UnwritablePathIsReportedWithTheName) {
    const fs::path file = ScratchFile("missing_directory") / "music.ogg";
    try {
        VorbisWriter writer(file, timing::sampleRate, 0.35f);
        FAIL() << "expected std::runtime_error";
    } catch (const std::runtime_error& error) {
        EXPECT_NE(std::string(error.what()).find("music.ogg"), std::string::npos) << error.what();
    }
}

// The file the data build packs as Data\lumenvale_final.ogg: the whole show, never clipping,
// with music in every section.
TEST(SoundtrackFile, DataBuildEncodesTheWholeShow) {
    const fs::path file = fs::path("Generated") / "Data" / "lumenvale_final.ogg";
    ASSERT_TRUE(fs::exists(file)) << fs::absolute(file) << " (built by the soundtrack tool)";
    const Decoded decoded = Decode(file);
    EXPECT_EQ(decoded.channels, 2);
    EXPECT_EQ(decoded.rate, timing::sampleRate);
    EXPECT_NEAR(static_cast<double>(decoded.frames) / timing::sampleRate, timing::showSeconds,
                0.005);
    ASSERT_EQ(static_cast<ogg_int64_t>(decoded.left.size()), decoded.frames);

    float peak = 0.0f;
    for (std::size_t i = 0; i < decoded.left.size(); ++i)
        peak = std::max({peak, std::fabs(decoded.left[i]), std::fabs(decoded.right[i])});
    EXPECT_LT(peak, 1.0f);

    const std::vector<Section>& sections = ShowSections();
    for (std::size_t s = 0; s < sections.size(); ++s) {
        const auto first = static_cast<std::size_t>(timing::FrameAt(sections[s].start));
        const auto last = static_cast<std::size_t>(timing::FrameAt(SectionEnd(s)));
        double sum = 0.0;
        for (std::size_t i = first; i < last; ++i)
            sum += decoded.left[i] * decoded.left[i] + decoded.right[i] * decoded.right[i];
        const double rms = Decibels(sum / (2.0 * static_cast<double>(last - first)));
        EXPECT_GT(rms, -30.0) << sections[s].scene;
        EXPECT_LT(rms, -8.0) << sections[s].scene;
    }
}

// --- Notation ------------------------------------------------------------------------------

TEST(SoundtrackNotation, ChordNamesGiveRootAndTones) {
    struct Case {
        const char* name;
        int root;
        std::vector<int> intervals;
    };
    const std::vector<Case> cases = {
        {"Am", 9, {0, 3, 7}},       {"F", 5, {0, 4, 7}},         {"Bb", 10, {0, 4, 7}},
        {"F#m7", 6, {0, 3, 7, 10}}, {"Fmaj7", 5, {0, 4, 7, 11}}, {"Esus4", 4, {0, 5, 7}},
    };
    for (const Case& c : cases) {
        const Chord chord = Chord::Parse(c.name);
        EXPECT_EQ(chord.root, c.root) << c.name;
        EXPECT_EQ(chord.intervals, c.intervals) << c.name;
    }
    for (const char* bad : {"", "H", "Am6", "am", "C##"})
        EXPECT_THROW(Chord::Parse(bad), std::invalid_argument) << '"' << bad << '"';
}

TEST(SoundtrackNotation, ChordsAreVoicedCloseAroundTheCenter) {
    EXPECT_EQ(Chord::Parse("Am").Voicing(64), (std::vector<float>{60, 64, 69}));
    EXPECT_EQ(Chord::Parse("G").Voicing(64), (std::vector<float>{59, 62, 67}));
    EXPECT_EQ(Chord::Parse("E").Bass(33), 40.0f);
    EXPECT_EQ(Chord::Parse("Bb").Bass(33), 34.0f);
}

TEST(SoundtrackNotation, MelodiesPlaceNotesAndRestsOnTheStepGrid) {
    const Melody melody = Melody::Parse("E5/6 r/2 | A4/8 Bb3/1 C#6/3");
    ASSERT_EQ(melody.notes.size(), 4u);
    EXPECT_EQ(melody.steps, 20);
    const std::vector<std::pair<int, float>> expected = {{0, 76}, {8, 69}, {16, 58}, {17, 85}};
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(melody.notes[i].step, expected[i].first);
        EXPECT_EQ(melody.notes[i].pitch, expected[i].second);
    }
    EXPECT_EQ(melody.notes[0].steps, 6);
    for (const char* bad : {"E5", "E5/0", "E5/x", "X5/2", "E/2"})
        EXPECT_THROW(Melody::Parse(bad), std::invalid_argument) << bad;
}

} // namespace
