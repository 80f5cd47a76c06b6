// The music player whose playback position is the demo clock.
//
// Until the audio device layer plays the soundtrack, the position is the time since Play, taken
// from the steady system clock.
#pragma once

#include "Framework/Singleton.h"

#include <chrono>

class BASSPlayer : public Singleton<BASSPlayer> {
public:
    BASSPlayer() : Singleton("BASSPlayer") {}

    void Play();
    void Pause();
    // Seconds of music played.
    double GetBassTime() const;

private:
    std::chrono::steady_clock::time_point playStart;
    bool playing = false;
};
