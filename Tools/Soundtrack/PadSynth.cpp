#include "PadSynth.h"

#include "Oscillator.h"
#include "StateVariableFilter.h"

#include <cmath>

namespace soundtrack {

namespace {

class PadVoice : public Voice {
public:
    PadVoice(const PadSynth::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), amp(params.amp, note.length),
          lowLeft(0.13f), center(0.51f), highRight(0.77f),
          lfo(std::fmod(note.pitch * 0.137f, 1.0f)),
          cutoff(params.cutoffHz + params.brightHz * note.brightness * note.brightness) {
        const float hz = timing::NoteHz(note.pitch);
        const float spread = std::exp2(params.detuneCents / 1200.0f);
        lowLeft.SetFrequency(hz / spread);
        center.SetFrequency(hz);
        highRight.SetFrequency(hz * spread);
        lfo.SetFrequency(params.lfoHz);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (frame++ % controlFrames == 0) {
                const float moved = cutoff * (1.0f + settings.lfoDepth * lfo.Sine());
                filterLeft.Set(moved, settings.resonance);
                filterRight.Set(moved, settings.resonance);
            }
            lfo.Advance();
            const float middle = 0.7f * center.Saw();
            const float level = 0.5f * amp.Next();
            left[i] += filterLeft.Process(lowLeft.Saw() + middle).low * level * gain.left;
            right[i] += filterRight.Process(highRight.Saw() + middle).low * level * gain.right;
            lowLeft.Advance();
            center.Advance();
            highRight.Advance();
        }
        return !amp.Finished();
    }

private:
    static constexpr int controlFrames = 16;

    PadSynth::Params settings;
    StereoGain gain;
    AdsrEnvelope amp;
    Oscillator lowLeft;
    Oscillator center;
    Oscillator highRight;
    Oscillator lfo;
    StateVariableFilter filterLeft;
    StateVariableFilter filterRight;
    float cutoff;
    std::int64_t frame = 0;
};

} // namespace

std::unique_ptr<Voice> PadSynth::Play(const NoteEvent& note) const {
    return std::make_unique<PadVoice>(settings, note);
}

} // namespace soundtrack
