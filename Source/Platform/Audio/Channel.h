// A playable sound: its decoder, play state, and the position the output has played.
//
// The output hands the mixer a block at a time; a channel's played position is where its
// latest block began plus the real time since, never beyond what it has been handed. Every
// member is used under the mixer's lock.
#pragma once

#include "Platform/Audio/Bass.h"
#include "Platform/Audio/FrameSource.h"
#include "Platform/Audio/Resampler.h"

#include <chrono>
#include <cstddef>
#include <memory>

using AudioClock = std::chrono::steady_clock;

class Channel {
public:
    // Which global volume applies.
    enum class Kind { Stream, Music };

    Channel(Kind kind, std::unique_ptr<FrameSource> source);

    Kind GetKind() const { return kind; }
    DWORD Frequency() const { return source->Frequency(); }
    // Bytes per second in the channel's 16-bit format.
    DWORD BytesPerSecond() const { return source->Frequency() * source->Channels() * 2; }

    // From the beginning when restart is set or the channel has not played yet; otherwise
    // on from where it stands.
    void Play(bool restart, AudioClock::time_point now);
    // False when the channel is not playing.
    bool Pause(AudioClock::time_point now);
    void Stop(AudioClock::time_point now);
    // BASS_ACTIVE_PLAYING until the end of the sound has been played, PAUSED or STOPPED.
    DWORD ActiveState(AudioClock::time_point now) const;

    QWORD PlayedBytes(AudioClock::time_point now) const;
    // Source frames handed to the output so far.
    QWORD RenderedFrames() const { return resampler.SourceFrames(); }

    // Adds the channel's next frames of output at outputRate, times gain, into the mix.
    void MixInto(float* mix, std::size_t frames, DWORD outputRate, float gain,
                 AudioClock::time_point now);

private:
    enum class State { Stopped, Playing, Paused };

    QWORD PlayedFrames(AudioClock::time_point now) const;
    // Freezes the played position while the channel does not play.
    void Hold(AudioClock::time_point now);

    Kind kind;
    std::unique_ptr<FrameSource> source;
    Resampler resampler;
    State state = State::Stopped;
    bool started = false;
    // The played position at anchorTime; while stopped or paused, the position itself.
    QWORD anchorFrames = 0;
    AudioClock::time_point anchorTime;
};
