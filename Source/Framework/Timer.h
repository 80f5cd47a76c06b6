// The demo clock. Every part of the show reads the current time from here.
#pragma once

#include "Framework/Singleton.h"

#include <cstdint>

class Timer : public Singleton<Timer> {
public:
    // A new clock starts at 0 and follows the music.
    Timer();

    // Takes the music position (or the next fixed step) as the new demo time.
    void Update();

    // Replaces the music by a clock that advances 1 / framesPerSecond a frame from `from` on,
    // so that a time range renders the same frames on any machine.
    static void UseFixedStep(double from, double framesPerSecond);
    static bool FixedStep() { return fixedStep; }
    // The time the next Update gives with the fixed-step clock.
    static double NextStepTime() {
        return stepFrom + static_cast<double>(stepFrame) / stepFramesPerSecond;
    }

    static inline double currentTime = 0.0;     // seconds
    static inline double previousTime = 0.0;    // seconds
    static inline double delta = 0.0;           // current minus previous of the last update
    static inline float framesPerSecond = 0.0f; // smoothed

private:
    static inline bool fixedStep = false;
    static inline double stepFrom = 0.0;
    static inline double stepFramesPerSecond = 30.0;
    static inline std::uint64_t stepFrame = 0;
};
