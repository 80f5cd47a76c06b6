#include "Riser.h"

#include "NoiseSource.h"
#include "StateVariableFilter.h"

#include <algorithm>
#include <cmath>

namespace soundtrack {

namespace {

class RiserVoice : public Voice {
public:
    RiserVoice(const Riser::Params& params, const NoteEvent& note)
        : settings(params), gain(StereoGain::Of(note)),
          lengthFrames(std::max<std::int64_t>(1, timing::FrameAt(note.length))),
          noiseLeft(note.seed), noiseRight(note.seed + 15485863u) {}

    bool Render(std::span<float> left, std::span<float> right) override {
        for (std::size_t i = 0; i < left.size() && frame < lengthFrames; ++i, ++frame) {
            const float progress = static_cast<float>(frame) / lengthFrames;
            if (frame % controlFrames == 0) {
                const float hz =
                    settings.startHz * std::pow(settings.endHz / settings.startHz, progress);
                filterLeft.Set(hz, settings.resonance);
                filterRight.Set(hz * 1.03f, settings.resonance);
            }
            // Swell, then a 10 ms fade so the sweep stops cleanly on the downbeat.
            const float fade =
                std::min(1.0f, (lengthFrames - frame) / (0.01f * timing::sampleRate));
            const float level = progress * progress * fade;
            left[i] += filterLeft.Process(noiseLeft.Next()).band * level * gain.left;
            right[i] += filterRight.Process(noiseRight.Next()).band * level * gain.right;
        }
        return frame < lengthFrames;
    }

private:
    static constexpr int controlFrames = 16;

    Riser::Params settings;
    StereoGain gain;
    std::int64_t lengthFrames;
    NoiseSource noiseLeft;
    NoiseSource noiseRight;
    StateVariableFilter filterLeft;
    StateVariableFilter filterRight;
    std::int64_t frame = 0;
};

} // namespace

std::unique_ptr<Voice> Riser::Play(const NoteEvent& note) const {
    return std::make_unique<RiserVoice>(settings, note);
}

} // namespace soundtrack
