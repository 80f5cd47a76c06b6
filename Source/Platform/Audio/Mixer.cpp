#include "Platform/Audio/Mixer.h"

#include <algorithm>
#include <cmath>

DWORD Mixer::Add(std::unique_ptr<Channel> channel) {
    const std::lock_guard guard(lock);
    const DWORD handle = nextHandle++;
    channels.emplace(handle, std::move(channel));
    return handle;
}

std::unique_ptr<Channel> Mixer::Remove(DWORD handle, Channel::Kind kind) {
    const std::lock_guard guard(lock);
    const auto found = channels.find(handle);
    if (found == channels.end() || found->second->GetKind() != kind) return nullptr;
    auto channel = std::move(found->second);
    channels.erase(found);
    return channel;
}

std::vector<std::unique_ptr<Channel>> Mixer::RemoveAll() {
    const std::lock_guard guard(lock);
    std::vector<std::unique_ptr<Channel>> removed;
    for (auto& [handle, channel] : channels)
        removed.push_back(std::move(channel));
    channels.clear();
    return removed;
}

void Mixer::SetVolume(Channel::Kind kind, DWORD volume) {
    (kind == Channel::Kind::Stream ? streamVolume : musicVolume) = volume;
}

DWORD Mixer::Volume(Channel::Kind kind) const {
    return kind == Channel::Kind::Stream ? streamVolume : musicVolume;
}

void Mixer::Render(std::int16_t* output, std::size_t frames, DWORD outputRate) {
    const std::lock_guard guard(lock);
    const auto now = AudioClock::now();
    mix.assign(frames * 2, 0.0f);
    for (auto& [handle, channel] : channels) {
        const float gain = static_cast<float>(Volume(channel->GetKind())) / fullVolume;
        channel->MixInto(mix.data(), frames, outputRate, gain, now);
    }
    for (std::size_t i = 0; i < frames * 2; ++i)
        output[i] =
            static_cast<std::int16_t>(std::lround(std::clamp(mix[i], -1.0f, 1.0f) * 32767.0f));
}
