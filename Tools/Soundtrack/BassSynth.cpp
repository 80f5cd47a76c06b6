#include "BassSynth.h"

#include "DecayEnvelope.h"
#include "Oscillator.h"
#include "StateVariableFilter.h"

#include <cmath>

namespace soundtrack {

namespace {

class BassVoice : public Voice {
public:
    BassVoice(const BassSynth::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), amp(params.amp, note.length),
          filterEnvelope(params.filterDecay), cutoff(params.cutoffHz * (1.0f + note.brightness)),
          normalise(1.0f / std::tanh(params.drive)) {
        const float hz = timing::NoteHz(note.pitch);
        main.SetFrequency(hz);
        sub.SetFrequency(hz / 2.0f);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            const float sweep = filterEnvelope.Next();
            if (frame++ % controlFrames == 0)
                lowpass.Set(cutoff + settings.envelopeHz * sweep, settings.resonance);
            const float source = settings.saw * main.Saw() + settings.square * main.Square();
            const float filtered = lowpass.Process(source).low + settings.sub * sub.Sine();
            main.Advance();
            sub.Advance();
            const float sample = std::tanh(settings.drive * filtered) * normalise * amp.Next();
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return !amp.Finished();
    }

private:
    static constexpr int controlFrames = 16;

    BassSynth::Params settings;
    StereoGain gain;
    AdsrEnvelope amp;
    DecayEnvelope filterEnvelope;
    Oscillator main;
    Oscillator sub;
    StateVariableFilter lowpass;
    float cutoff;
    float normalise;
    std::int64_t frame = 0;
};

} // namespace

std::unique_ptr<Voice> BassSynth::Play(const NoteEvent& note) const {
    return std::make_unique<BassVoice>(settings, note);
}

} // namespace soundtrack
