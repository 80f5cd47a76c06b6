// The demo clock. Every Part of the show reads the current time from here.
#pragma once

#include "Framework/Singleton.h"

class Timer : public Singleton<Timer> {
public:
    Timer() : Singleton("Timer") {}

    // Takes the music position as the new demo time.
    void Update();

    static inline double currentTime = 0.0;     // seconds
    static inline double previousTime = 0.0;    // seconds
    static inline double delta = 0.0;           // current minus previous of the last update
    static inline float framesPerSecond = 0.0f; // smoothed
};
