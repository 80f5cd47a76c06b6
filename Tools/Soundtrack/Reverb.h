// Stereo room reverb in the Schroeder-Moorer style: eight damped feedback combs in parallel, then
// four all-passes in series, per side; the right side's delays are slightly longer for width.
#pragma once

#include <span>
#include <vector>

namespace soundtrack {

class Reverb {
public:
    // size 0..1 sets the decay time; damping 0..1 how fast the highs die.
    Reverb(float size, float damping);

    // Adds the reverberated mono input into left and right (which are the same size as input).
    void Process(std::span<const float> input, std::span<float> left, std::span<float> right);

private:
    class Comb {
    public:
        explicit Comb(int length) : buffer(length, 0.0f) {}
        float Process(float input, float feedback, float damping);

    private:
        std::vector<float> buffer;
        std::size_t position = 0;
        float filtered = 0.0f;
    };

    class Allpass {
    public:
        explicit Allpass(int length) : buffer(length, 0.0f) {}
        float Process(float input);

    private:
        std::vector<float> buffer;
        std::size_t position = 0;
    };

    struct Side {
        std::vector<Comb> combs;
        std::vector<Allpass> allpasses;
        float Process(float input, float feedback, float damping);
    };

    static Side MakeSide(int spread);

    float feedback;
    float damping;
    Side leftSide;
    Side rightSide;
};

} // namespace soundtrack
