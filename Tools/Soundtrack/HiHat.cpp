#include "HiHat.h"

#include "DecayEnvelope.h"
#include "MetallicTone.h"
#include "NoiseSource.h"
#include "StateVariableFilter.h"

namespace soundtrack {

namespace {

class HiHatVoice : public Voice {
public:
    HiHatVoice(const HiHat::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), envelope(params.decay), metal(400.0f),
          noise(note.seed) {
        highpass.Set(params.cutoffHz, 0.9f);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            const float source =
                settings.metal * metal.Next() + (1.0f - settings.metal) * noise.Next();
            const float sample = highpass.Process(source).high * envelope.Next();
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return !envelope.Finished();
    }

private:
    HiHat::Params settings;
    StereoGain gain;
    DecayEnvelope envelope;
    MetallicTone metal;
    NoiseSource noise;
    StateVariableFilter highpass;
};

} // namespace

std::unique_ptr<Voice> HiHat::Play(const NoteEvent& note) const {
    return std::make_unique<HiHatVoice>(settings, note);
}

} // namespace soundtrack
