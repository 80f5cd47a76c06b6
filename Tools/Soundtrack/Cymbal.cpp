#include "Cymbal.h"

#include "DecayEnvelope.h"
#include "MetallicTone.h"
#include "NoiseSource.h"
#include "StateVariableFilter.h"

namespace soundtrack {

namespace {

class CymbalVoice : public Voice {
public:
    CymbalVoice(const Cymbal::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), envelope(params.decay), shimmer(0.08f),
          metal(530.0f), noiseLeft(note.seed), noiseRight(note.seed + 7919u) {
        highpassLeft.Set(params.cutoffHz, 0.7f);
        highpassRight.Set(params.cutoffHz, 0.7f);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            const float ring = settings.metal * metal.Next();
            // The attack is brighter and louder than the wash that follows.
            const float level = envelope.Next() * (0.7f + 0.6f * shimmer.Next());
            left[i] += highpassLeft.Process(ring + noiseLeft.Next()).high * level * gain.left;
            right[i] += highpassRight.Process(ring + noiseRight.Next()).high * level * gain.right;
        }
        return !envelope.Finished();
    }

private:
    Cymbal::Params settings;
    StereoGain gain;
    DecayEnvelope envelope;
    DecayEnvelope shimmer;
    MetallicTone metal;
    NoiseSource noiseLeft;
    NoiseSource noiseRight;
    StateVariableFilter highpassLeft;
    StateVariableFilter highpassRight;
};

} // namespace

std::unique_ptr<Voice> Cymbal::Play(const NoteEvent& note) const {
    return std::make_unique<CymbalVoice>(settings, note);
}

} // namespace soundtrack
