#include "TrackerModule/SampleSynth.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace {

constexpr double middleC = 261.6256; // Hz
constexpr double twoPi = 2.0 * std::numbers::pi;
constexpr double peak = 32000.0;

// A fixed-seed xorshift generator: the same noise on every build.
class Noise {
public:
    explicit Noise(std::uint32_t seed) : state(seed) {}
    double Next() { // -1..1
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<double>(state) / 2147483647.5 - 1.0;
    }

private:
    std::uint32_t state;
};

// Scales to the common peak, so that the volume columns alone balance the mix.
std::vector<std::int16_t> Normalize(const std::vector<double>& signal) {
    double largest = 0.0;
    for (const double value : signal)
        largest = std::max(largest, std::abs(value));
    const double gain = largest > 0.0 ? peak / largest : 0.0;
    std::vector<std::int16_t> frames;
    frames.reserve(signal.size());
    for (const double value : signal)
        frames.push_back(static_cast<std::int16_t>(std::lround(value * gain)));
    return frames;
}

// A hit of the given length; its last milliseconds fade out so that it ends without a click.
TrackerSample Drum(const char* name, double seconds,
                   const std::function<double(double time)>& voice) {
    constexpr double fadeSeconds = 0.01;
    std::vector<double> signal(static_cast<std::size_t>(seconds * SampleSynth::drumRate));
    for (std::size_t i = 0; i < signal.size(); ++i) {
        const double time = static_cast<double>(i) / SampleSynth::drumRate;
        const double fade = std::min(1.0, (seconds - time) / fadeSeconds);
        signal[i] = voice(time) * fade;
    }
    return {name, Normalize(signal), SampleSynth::drumRate, std::nullopt, 64, 64};
}

// One looped cycle summed from harmonics 1..count. Lanczos factors soften the ringing that a
// cut-off series leaves at the waveform's edges.
TrackerSample Cycle(const char* name, int count,
                    const std::function<double(int harmonic, double phase)>& partial) {
    std::vector<double> signal(SampleSynth::cycleFrames, 0.0);
    for (int harmonic = 1; harmonic <= count; ++harmonic) {
        const double x = std::numbers::pi * harmonic / (count + 1);
        const double lanczos = std::sin(x) / x;
        for (std::size_t i = 0; i < signal.size(); ++i)
            signal[i] += lanczos * partial(harmonic, twoPi * static_cast<double>(i) /
                                                         SampleSynth::cycleFrames);
    }
    const auto c5Speed =
        static_cast<std::uint32_t>(std::lround(middleC * SampleSynth::cycleFrames));
    return {name, Normalize(signal), c5Speed, SampleLoop{0, SampleSynth::cycleFrames}, 64, 64};
}

double SawPartial(int harmonic, double phase) {
    return std::sin(harmonic * phase) / harmonic;
}

} // namespace

TrackerSample SampleSynth::Kick() {
    double phase = 0.0;
    return Drum("Kick", 0.35, [&phase](double time) {
        // The pitch falls fast from a thump to a low boom.
        const double frequency = 45.0 + 120.0 * std::exp(-time / 0.03);
        phase += twoPi * frequency / drumRate;
        return std::sin(phase) * std::exp(-time / 0.11);
    });
}

TrackerSample SampleSynth::Snare() {
    Noise noise(0x5eed5a3e);
    double previous = 0.0;
    return Drum("Snare", 0.22, [&](double time) {
        const double white = noise.Next();
        const double bright = white - 0.6 * previous; // tilt the noise away from the lows
        previous = white;
        const double body = std::sin(twoPi * 185.0 * time) * std::exp(-time / 0.035);
        return 0.55 * body + 0.75 * bright * std::exp(-time / 0.06);
    });
}

TrackerSample SampleSynth::Hat() {
    Noise noise(0x4a7c15e1);
    double previous = 0.0;
    return Drum("Hat", 0.08, [&](double time) {
        const double white = noise.Next();
        const double hiss = white - previous; // first difference: only the highs remain
        previous = white;
        return hiss * std::exp(-time / 0.016);
    });
}

TrackerSample SampleSynth::Bass() {
    return Cycle("Bass", 10, SawPartial);
}

TrackerSample SampleSynth::Pulse() {
    constexpr double duty = 0.25;
    return Cycle("Pulse", 24, [duty](int harmonic, double phase) {
        return std::sin(std::numbers::pi * harmonic * duty) / harmonic *
               std::cos(harmonic * (phase - std::numbers::pi * duty));
    });
}

TrackerSample SampleSynth::Saw() {
    return Cycle("Saw", 24, SawPartial);
}
