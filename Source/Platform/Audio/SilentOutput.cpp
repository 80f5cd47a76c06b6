#include "Platform/Audio/SilentOutput.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <vector>

namespace {

constexpr auto tick = std::chrono::milliseconds(10);
constexpr std::size_t maxBlockFrames = 4096;

} // namespace

SilentOutput::SilentOutput(Mixer& mixer, DWORD frequency)
    : target(mixer), rate(frequency), thread(&SilentOutput::Run, this) {}

SilentOutput::~SilentOutput() {
    {
        const std::lock_guard guard(lock);
        stopping = true;
    }
    wake.notify_one();
    thread.join();
}

void SilentOutput::Run() {
    std::vector<std::int16_t> discarded(maxBlockFrames * 2);
    const auto start = AudioClock::now();
    std::uint64_t rendered = 0;
    std::unique_lock guard(lock);
    while (!wake.wait_for(guard, tick, [this] { return stopping; })) {
        // Each block is what the next tick "plays". Counted from the start rather than per
        // tick, so the pace never drifts.
        const auto played = AudioClock::now() - start + tick;
        const auto due =
            static_cast<std::uint64_t>(std::chrono::duration<double>(played).count() * rate);
        while (rendered < due) {
            const auto frames =
                static_cast<std::size_t>(std::min<std::uint64_t>(due - rendered, maxBlockFrames));
            target.Render(discarded.data(), frames, rate);
            rendered += frames;
        }
    }
}
