#include "Impact.h"

#include "DecayEnvelope.h"
#include "NoiseSource.h"
#include "Oscillator.h"
#include "StateVariableFilter.h"

#include <cmath>

namespace soundtrack {

namespace {

class ImpactVoice : public Voice {
public:
    ImpactVoice(const Impact::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), pitch(params.pitchDecay),
          boom(params.boomDecay), burst(params.noiseDecay), sweep(params.sweepTime),
          noiseLeft(note.seed), noiseRight(note.seed + 104729u),
          normalise(1.0f / std::tanh(params.drive)) {}

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            const float closing = sweep.Next();
            if (frame++ % controlFrames == 0) {
                const float cutoff =
                    settings.noiseEndHz + (settings.noiseStartHz - settings.noiseEndHz) * closing;
                lowpassLeft.Set(cutoff, 0.9f);
                lowpassRight.Set(cutoff, 0.9f);
            }
            body.SetFrequency(settings.boomEndHz +
                              (settings.boomStartHz - settings.boomEndHz) * pitch.Next());
            const float low = body.Sine() * boom.Next();
            body.Advance();
            const float burstLevel = settings.noiseLevel * burst.Next();
            const float l = low + burstLevel * lowpassLeft.Process(noiseLeft.Next()).low;
            const float r = low + burstLevel * lowpassRight.Process(noiseRight.Next()).low;
            left[i] += std::tanh(settings.drive * l) * normalise * gain.left;
            right[i] += std::tanh(settings.drive * r) * normalise * gain.right;
        }
        return !boom.Finished() || !burst.Finished();
    }

private:
    static constexpr int controlFrames = 16;

    Impact::Params settings;
    StereoGain gain;
    Oscillator body;
    DecayEnvelope pitch;
    DecayEnvelope boom;
    DecayEnvelope burst;
    DecayEnvelope sweep;
    NoiseSource noiseLeft;
    NoiseSource noiseRight;
    StateVariableFilter lowpassLeft;
    StateVariableFilter lowpassRight;
    float normalise;
    std::int64_t frame = 0;
};

} // namespace

std::unique_ptr<Voice> Impact::Play(const NoteEvent& note) const {
    return std::make_unique<ImpactVoice>(settings, note);
}

} // namespace soundtrack
