#include "PluckSynth.h"

#include "DecayEnvelope.h"
#include "Oscillator.h"

#include <cmath>
#include <numbers>

namespace soundtrack {

namespace {

class PluckVoice : public Voice {
public:
    PluckVoice(const PluckSynth::Params& params, const NoteEvent& note)
        : gain(StereoGain::Of(note)), amplitude(params.ampDecay), modulation(params.indexDecay),
          index(params.index * (0.5f + note.brightness) / (2.0f * std::numbers::pi_v<float>)) {
        const float hz = timing::NoteHz(note.pitch);
        carrier.SetFrequency(hz);
        modulator.SetFrequency(hz * params.ratio);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            float phase = carrier.Phase() + index * modulation.Next() * modulator.Sine();
            phase -= std::floor(phase);
            // A 2 ms ramp keeps the attack from clicking.
            const float attack = attackFrame < attackFrames ? attackFrame++ / attackFrames : 1.0f;
            const float sample = 0.5f * FastSine(phase) * amplitude.Next() * attack;
            carrier.Advance();
            modulator.Advance();
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return !amplitude.Finished();
    }

private:
    static constexpr float attackFrames = 0.002f * timing::sampleRate;

    StereoGain gain;
    DecayEnvelope amplitude;
    DecayEnvelope modulation;
    Oscillator carrier;
    Oscillator modulator;
    float index;
    float attackFrame = 0.0f;
};

} // namespace

std::unique_ptr<Voice> PluckSynth::Play(const NoteEvent& note) const {
    return std::make_unique<PluckVoice>(settings, note);
}

} // namespace soundtrack
