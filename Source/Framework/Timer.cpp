#include "Framework/Timer.h"

#include "Framework/BASSPlayer.h"

Timer::Timer() : Singleton("Timer") {
    currentTime = previousTime = delta = 0.0;
    framesPerSecond = 0.0f;
    fixedStep = false;
}

void Timer::UseFixedStep(double from, double stepsPerSecond) {
    fixedStep = true;
    stepFrom = from;
    stepFramesPerSecond = stepsPerSecond;
    stepFrame = 0;
}

void Timer::Update() {
    const double t = fixedStep ? NextStepTime() : BASSPlayer::Instance()->GetBassTime();
    if (fixedStep) ++stepFrame;
    delta = t - previousTime;
    previousTime = t;
    currentTime = t;
    if (delta > 0.0) {
        const auto n = static_cast<unsigned>(1.0 / delta);
        framesPerSecond = static_cast<float>(n) + (framesPerSecond - static_cast<float>(n)) * 0.69f;
    }
}
