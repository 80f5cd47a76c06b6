#include "Framework/Timer.h"

#include "Framework/BASSPlayer.h"

void Timer::Update() {
    const double t = BASSPlayer::Instance()->GetBassTime();
    delta = t - previousTime;
    previousTime = t;
    currentTime = t;
    if (delta > 0.0) {
        const auto n = static_cast<unsigned>(1.0 / delta);
        framesPerSecond = static_cast<float>(n) + (framesPerSecond - static_cast<float>(n)) * 0.69f;
    }
}
