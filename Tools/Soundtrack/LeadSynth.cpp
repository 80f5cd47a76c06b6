#include "LeadSynth.h"

#include "DecayEnvelope.h"
#include "Oscillator.h"
#include "StateVariableFilter.h"

#include <algorithm>
#include <cmath>

namespace soundtrack {

namespace {

class LeadVoice : public Voice {
public:
    LeadVoice(const LeadSynth::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)), amp(params.amp, note.length),
          filterEnvelope(params.filterDecay), sawLow(0.0f), sawHigh(0.33f), pulse(0.66f),
          hz(timing::NoteHz(note.pitch)),
          cutoff(params.cutoffHz + params.brightHz * note.brightness),
          spread(std::exp2(params.detuneCents / 1200.0f)),
          vibratoDelayFrames(static_cast<float>(params.vibratoDelay * timing::sampleRate)) {
        vibrato.SetFrequency(params.vibratoHz);
    }

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size(); ++i) {
            const float sweep = filterEnvelope.Next();
            if (frame % controlFrames == 0) {
                const float depth =
                    settings.vibratoDepth * std::min(1.0f, frame / vibratoDelayFrames);
                const float bend = std::exp2(depth * vibrato.Sine() / 12.0f);
                sawLow.SetFrequency(hz * bend / spread);
                sawHigh.SetFrequency(hz * bend * spread);
                pulse.SetFrequency(hz * bend);
                lowpass.Set(cutoff + settings.envelopeHz * sweep, settings.resonance);
            }
            ++frame;
            vibrato.Advance();
            const float source =
                0.5f * (sawLow.Saw() + sawHigh.Saw()) + settings.square * pulse.Square();
            sawLow.Advance();
            sawHigh.Advance();
            pulse.Advance();
            const float sample = 0.6f * lowpass.Process(source).low * amp.Next();
            left[i] += sample * gain.left;
            right[i] += sample * gain.right;
        }
        return !amp.Finished();
    }

private:
    static constexpr int controlFrames = 16;

    LeadSynth::Params settings;
    StereoGain gain;
    AdsrEnvelope amp;
    DecayEnvelope filterEnvelope;
    Oscillator sawLow;
    Oscillator sawHigh;
    Oscillator pulse;
    Oscillator vibrato;
    StateVariableFilter lowpass;
    float hz;
    float cutoff;
    float spread;
    float vibratoDelayFrames;
    std::int64_t frame = 0;
};

} // namespace

std::unique_ptr<Voice> LeadSynth::Play(const NoteEvent& note) const {
    return std::make_unique<LeadVoice>(settings, note);
}

} // namespace soundtrack
