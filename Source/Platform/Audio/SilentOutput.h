// The "no sound" device: a thread mixes at the output rate in real time and discards the
// mix, so channels advance, end and loop as on a sound device.
#pragma once

#include "Platform/Audio/AudioOutput.h"
#include "Platform/Audio/Mixer.h"

#include <condition_variable>
#include <mutex>
#include <thread>

class SilentOutput : public AudioOutput {
public:
    SilentOutput(Mixer& mixer, DWORD frequency);
    ~SilentOutput() override;
    SilentOutput(const SilentOutput&) = delete;
    SilentOutput& operator=(const SilentOutput&) = delete;

    DWORD Frequency() const override { return rate; }
    DWORD LatencyMs() const override { return 0; }

private:
    void Run();

    Mixer& target;
    DWORD rate;
    std::mutex lock;
    std::condition_variable wake;
    bool stopping = false;
    std::thread thread;
};
