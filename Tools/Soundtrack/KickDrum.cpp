#include "KickDrum.h"

#include "DecayEnvelope.h"
#include "NoiseSource.h"
#include "Oscillator.h"

#include <cmath>

namespace soundtrack {

namespace {

class KickVoice : public Voice {
public:
    KickVoice(const KickDrum::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), pitch(params.pitchDecay),
          amplitude(params.ampDecay), click(0.002f), noise(note.seed),
          normalise(1.0f / std::tanh(params.drive)) {}

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            body.SetFrequency(settings.endHz + (settings.startHz - settings.endHz) * pitch.Next());
            const float raw =
                body.Sine() * amplitude.Next() + settings.click * noise.Next() * click.Next();
            body.Advance();
            const float sample = std::tanh(settings.drive * raw) * normalise;
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return !amplitude.Finished();
    }

private:
    KickDrum::Params settings;
    StereoGain gain;
    Oscillator body;
    DecayEnvelope pitch;
    DecayEnvelope amplitude;
    DecayEnvelope click;
    NoiseSource noise;
    float normalise;
};

} // namespace

std::unique_ptr<Voice> KickDrum::Play(const NoteEvent& note) const {
    return std::make_unique<KickVoice>(settings, note);
}

} // namespace soundtrack
