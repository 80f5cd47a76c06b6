#include "Platform/Audio/Channel.h"

#include <algorithm>

Channel::Channel(Kind channelKind, std::unique_ptr<FrameSource> decoder)
    : kind(channelKind), source(std::move(decoder)) {}

void Channel::Play(bool restart, AudioClock::time_point now) {
    if (restart || !started) {
        source->Rewind();
        resampler.Reset();
        anchorFrames = 0;
        anchorTime = now;
        started = true;
    } else if (state != State::Playing) {
        anchorTime = now;
    }
    state = State::Playing;
}

bool Channel::Pause(AudioClock::time_point now) {
    if (ActiveState(now) != BASS_ACTIVE_PLAYING) return false;
    Hold(now);
    state = State::Paused;
    return true;
}

void Channel::Stop(AudioClock::time_point now) {
    if (state == State::Playing) Hold(now);
    state = State::Stopped;
}

void Channel::Hold(AudioClock::time_point now) {
    anchorFrames = PlayedFrames(now);
    anchorTime = now;
}

DWORD Channel::ActiveState(AudioClock::time_point now) const {
    switch (state) {
    case State::Playing:
        return resampler.Ended() && PlayedFrames(now) >= RenderedFrames() ? BASS_ACTIVE_STOPPED
                                                                          : BASS_ACTIVE_PLAYING;
    case State::Paused:
        return BASS_ACTIVE_PAUSED;
    case State::Stopped:
        break;
    }
    return BASS_ACTIVE_STOPPED;
}

QWORD Channel::PlayedFrames(AudioClock::time_point now) const {
    if (state != State::Playing) return anchorFrames;
    const double elapsed = std::chrono::duration<double>(now - anchorTime).count();
    const auto advanced = static_cast<QWORD>(std::max(elapsed, 0.0) * Frequency());
    return std::min(anchorFrames + advanced, RenderedFrames());
}

QWORD Channel::PlayedBytes(AudioClock::time_point now) const {
    return PlayedFrames(now) * (BytesPerSecond() / Frequency());
}

void Channel::MixInto(float* mix, std::size_t frames, DWORD outputRate, float gain,
                      AudioClock::time_point now) {
    if (state != State::Playing || resampler.Ended()) return;
    // What was handed before this block has now reached the device.
    anchorFrames = RenderedFrames();
    anchorTime = now;
    resampler.MixInto(*source, mix, frames, static_cast<double>(Frequency()) / outputRate, gain);
}
