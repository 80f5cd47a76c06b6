// The channels of the open device and their mix. The output's thread calls Render; every
// other access comes from the program's thread, and the lock keeps the two apart.
#pragma once

#include "Platform/Audio/Bass.h"
#include "Platform/Audio/Channel.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class Mixer {
public:
    static constexpr DWORD fullVolume = 10000;

    // Takes the channel and gives it a handle never given before.
    DWORD Add(std::unique_ptr<Channel> channel);
    // Takes out the channel of that handle and kind; null when there is none. The caller
    // destroys it outside the lock.
    std::unique_ptr<Channel> Remove(DWORD handle, Channel::Kind kind);
    std::vector<std::unique_ptr<Channel>> RemoveAll();

    // Runs action(channel, now) under the lock; false when the handle names no channel.
    template <class Action>
    bool With(DWORD handle, Action&& action) {
        const std::lock_guard guard(lock);
        const auto found = channels.find(handle);
        if (found == channels.end()) return false;
        action(*found->second, AudioClock::now());
        return true;
    }

    // Global volume of a kind, 0 to fullVolume.
    void SetVolume(Channel::Kind kind, DWORD volume);
    DWORD Volume(Channel::Kind kind) const;

    // Fills frames of interleaved 16-bit stereo at outputRate with the playing channels.
    void Render(std::int16_t* output, std::size_t frames, DWORD outputRate);

private:
    std::atomic<DWORD> streamVolume{fullVolume};
    std::atomic<DWORD> musicVolume{fullVolume};

    std::mutex lock;
    std::map<DWORD, std::unique_ptr<Channel>> channels;
    DWORD nextHandle = 1;
    std::vector<float> mix;
};
