#include "SnareDrum.h"

#include "DecayEnvelope.h"
#include "NoiseSource.h"
#include "Oscillator.h"
#include "StateVariableFilter.h"

namespace soundtrack {

namespace {

class SnareVoice : public Voice {
public:
    SnareVoice(const SnareDrum::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), pitchDrop(0.01f), tone(params.toneDecay),
          wires(params.noiseDecay), noise(note.seed) {
        highpass.Set(params.noiseHz, 0.8f);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            body.SetFrequency(settings.toneHz * (1.0f + 0.5f * pitchDrop.Next()));
            const float sample =
                settings.toneLevel * body.Sine() * tone.Next() +
                settings.noiseLevel * highpass.Process(noise.Next()).high * wires.Next();
            body.Advance();
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return !wires.Finished() || !tone.Finished();
    }

private:
    SnareDrum::Params settings;
    StereoGain gain;
    Oscillator body;
    DecayEnvelope pitchDrop;
    DecayEnvelope tone;
    DecayEnvelope wires;
    NoiseSource noise;
    StateVariableFilter highpass;
};

} // namespace

std::unique_ptr<Voice> SnareDrum::Play(const NoteEvent& note) const {
    return std::make_unique<SnareVoice>(settings, note);
}

} // namespace soundtrack
