#include "Song.h"

#include "Section.h"
#include "ShowCues.h"
#include "Timing.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace soundtrack {

namespace {

constexpr double warmUpSeconds = 6.0; // covers the reverb and nearly every note's tail
constexpr int blockFrames = 512;
constexpr double fadeStart = 279.0;

Mixer::Channel Channel(Bus bus) {
    switch (bus) {
    case Bus::Drums:
        return {.gain = 0.095f, .reverb = 0.08f};
    case Bus::Bass:
        return {.gain = 0.08f, .duck = 0.55f};
    case Bus::Chords:
        return {.gain = 0.095f, .reverb = 0.35f, .delay = 0.2f, .duck = 0.4f};
    case Bus::Lead:
        return {.gain = 0.27f, .reverb = 0.3f, .delay = 0.3f, .duck = 0.15f};
    case Bus::Effects:
        return {.gain = 0.68f, .reverb = 0.2f};
    }
    return {};
}

std::array<Mixer::Channel, busCount> Channels() {
    std::array<Mixer::Channel, busCount> channels;
    for (int bus = 0; bus < busCount; ++bus)
        channels[bus] = Channel(static_cast<Bus>(bus));
    return channels;
}

const Cue& GlitchCue() {
    return *std::find_if(showCues.begin(), showCues.end(),
                         [](const Cue& cue) { return cue.kind == CueKind::Glitch; });
}

const Section& SectionAt(double seconds) {
    const std::vector<Section>& sections = ShowSections();
    auto after = std::upper_bound(sections.begin(), sections.end(), seconds,
                                  [](double at, const Section& s) { return at < s.start; });
    return after == sections.begin() ? sections.front() : *(after - 1);
}

// A cosine fade from full level at fadeStart to silence at the end of the show.
float FadeGain(std::int64_t frame) {
    const double t = timing::SecondsAt(frame);
    if (t <= fadeStart) return 1.0f;
    if (t >= timing::showSeconds) return 0.0f;
    const double progress = (t - fadeStart) / (timing::showSeconds - fadeStart);
    return static_cast<float>(0.5 * (1.0 + std::cos(std::numbers::pi * progress)));
}

std::int64_t WarmUpStart(double fromSeconds) {
    return std::max<std::int64_t>(0, timing::FrameAt(fromSeconds - warmUpSeconds));
}

} // namespace

Song::Song(double fromSeconds)
    : mixer(Channels()), limiter(ceiling, 128, 0.15f), glitch(GlitchCue().time, GlitchCue().length),
      sequencer(arrangement.Events(), WarmUpStart(fromSeconds)),
      outputFrame(sequencer.Frame() - limiter.Latency()) {
    // Run the warm-up (and the limiter's look-ahead) and throw it away.
    std::vector<float> left(blockFrames);
    std::vector<float> right(blockFrames);
    const std::int64_t target = timing::FrameAt(fromSeconds);
    while (outputFrame < target) {
        const auto frames =
            static_cast<std::size_t>(std::min<std::int64_t>(blockFrames, target - outputFrame));
        RenderBlock(std::span(left).first(frames), std::span(right).first(frames));
    }
}

void Song::Render(std::span<float> left, std::span<float> right) {
    for (std::size_t done = 0; done < left.size(); done += blockFrames) {
        const std::size_t frames = std::min<std::size_t>(blockFrames, left.size() - done);
        RenderBlock(left.subspan(done, frames), right.subspan(done, frames));
    }
}

void Song::RenderBlock(std::span<float> left, std::span<float> right) {
    const Section& section = SectionAt(timing::SecondsAt(sequencer.Frame()));
    mixer.SetSendScale(section.reverb, section.delay);
    const int frames = static_cast<int>(left.size());
    mixer.BeginBlock(frames);
    sequencer.Render(mixer, frames);
    mixer.Mix(left, right);
    limiter.Process(left, right);
    for (std::size_t i = 0; i < left.size(); ++i) {
        const float gain = FadeGain(outputFrame + static_cast<std::int64_t>(i));
        left[i] *= gain;
        right[i] *= gain;
    }
    glitch.Process(left, right, outputFrame);
    outputFrame += frames;
}

StereoBuffer RenderSoundtrack(double fromSeconds, double seconds) {
    Song song(fromSeconds);
    const auto frames = static_cast<std::size_t>(timing::FrameAt(seconds));
    StereoBuffer buffer{std::vector<float>(frames), std::vector<float>(frames)};
    song.Render(buffer.left, buffer.right);
    return buffer;
}

} // namespace soundtrack
