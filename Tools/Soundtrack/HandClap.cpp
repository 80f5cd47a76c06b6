#include "HandClap.h"

#include "NoiseSource.h"
#include "StateVariableFilter.h"

#include <cmath>

namespace soundtrack {

namespace {

class ClapVoice : public Voice {
public:
    ClapVoice(const HandClap::Params& params, const NoteEvent& note)
        : gain(StereoGain::Of(note)),
          burstFrames(static_cast<std::int64_t>(params.spacing * timing::sampleRate)),
          tailStart(burstFrames * params.bursts),
          burstCoefficient(timing::DecayCoefficient(0.003f)),
          tailCoefficient(timing::DecayCoefficient(params.decay)), noise(note.seed) {
        bandpass.Set(params.centerHz, params.resonance);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (frame <= tailStart && frame % burstFrames == 0)
                level = 1.0f; // the last burst rings on
            level *= frame < tailStart ? burstCoefficient : tailCoefficient;
            ++frame;
            const float sample = 2.0f * bandpass.Process(noise.Next()).band * level;
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return frame < tailStart || level > 1e-3f;
    }

private:
    StereoGain gain;
    std::int64_t burstFrames;
    std::int64_t tailStart;
    float burstCoefficient;
    float tailCoefficient;
    NoiseSource noise;
    StateVariableFilter bandpass;
    std::int64_t frame = 0;
    float level = 0.0f;
};

} // namespace

std::unique_ptr<Voice> HandClap::Play(const NoteEvent& note) const {
    return std::make_unique<ClapVoice>(settings, note);
}

} // namespace soundtrack
