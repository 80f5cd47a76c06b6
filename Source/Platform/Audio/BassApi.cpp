// The BASS functions: argument checks and error codes over AudioSystem and its mixer.
#include "Platform/Audio/AudioSystem.h"
#include "Platform/Audio/Bass.h"
#include "Platform/Audio/ErrorState.h"
#include "Platform/Audio/ModuleDecoder.h"
#include "Platform/Audio/VorbisDecoder.h"

#include <optional>

namespace {

constexpr DWORD version = 0x02040000;
constexpr QWORD positionError = ~QWORD{0};

std::optional<Channel::Kind> VolumeKind(DWORD option) {
    if (option == BASS_CONFIG_GVOL_STREAM) return Channel::Kind::Stream;
    if (option == BASS_CONFIG_GVOL_MUSIC) return Channel::Kind::Music;
    return std::nullopt;
}

// The file's bytes, or an error code for a file that cannot be had.
int OpenSoundFile(BOOL mem, const void* file, QWORD offset, QWORD length,
                  std::optional<SoundFile>& opened) {
    if (!AudioSystem::Instance().Initialised()) return BASS_ERROR_INIT;
    if (file == nullptr) return BASS_ERROR_ILLPARAM;
    if (mem) {
        opened = SoundFile::InMemory(file, offset, length);
        return BASS_OK;
    }
    int error = BASS_OK;
    opened = SoundFile::FromPath(static_cast<const char*>(file), offset, length, error);
    return error;
}

DWORD AddChannel(Channel::Kind kind, std::unique_ptr<FrameSource> source) {
    if (source == nullptr) {
        ErrorState::Set(BASS_ERROR_FILEFORM);
        return 0;
    }
    ErrorState::Set(BASS_OK);
    return AudioSystem::Instance().GetMixer().Add(
        std::make_unique<Channel>(kind, std::move(source)));
}

BOOL FreeChannel(DWORD handle, Channel::Kind kind) {
    // Destroyed here, outside the mixer's lock.
    const auto channel = AudioSystem::Instance().GetMixer().Remove(handle, kind);
    return ErrorState::Set(channel != nullptr ? BASS_OK : BASS_ERROR_HANDLE);
}

// Runs action(channel, now) on the handle's channel; BASS_ERROR_HANDLE when there is none.
template <class Action>
bool OnChannel(DWORD handle, Action&& action) {
    const bool found = AudioSystem::Instance().GetMixer().With(handle, action);
    if (!found) ErrorState::Set(BASS_ERROR_HANDLE);
    return found;
}

} // namespace

DWORD BASS_GetVersion() {
    return version;
}

int BASS_ErrorGetCode() {
    return ErrorState::Last();
}

BOOL BASS_SetConfig(DWORD option, DWORD value) {
    if (value > Mixer::fullVolume) return ErrorState::Set(BASS_ERROR_ILLPARAM);
    if (option == BASS_CONFIG_GVOL_SAMPLE) {
        AudioSystem::Instance().sampleVolume = value;
        return ErrorState::Set(BASS_OK);
    }
    const auto kind = VolumeKind(option);
    if (!kind) return ErrorState::Set(BASS_ERROR_ILLPARAM);
    AudioSystem::Instance().GetMixer().SetVolume(*kind, value);
    return ErrorState::Set(BASS_OK);
}

DWORD BASS_GetConfig(DWORD option) {
    if (option == BASS_CONFIG_GVOL_SAMPLE) {
        ErrorState::Set(BASS_OK);
        return AudioSystem::Instance().sampleVolume;
    }
    const auto kind = VolumeKind(option);
    if (!kind) {
        ErrorState::Set(BASS_ERROR_ILLPARAM);
        return ~DWORD{0};
    }
    ErrorState::Set(BASS_OK);
    return AudioSystem::Instance().GetMixer().Volume(*kind);
}

BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND, const void*) {
    return ErrorState::Set(AudioSystem::Instance().Init(device, freq, flags));
}

BOOL BASS_Free() {
    if (!AudioSystem::Instance().Initialised()) return ErrorState::Set(BASS_ERROR_INIT);
    AudioSystem::Instance().Free();
    return ErrorState::Set(BASS_OK);
}

BOOL BASS_GetInfo(BASS_INFO* info) {
    if (!AudioSystem::Instance().Initialised()) return ErrorState::Set(BASS_ERROR_INIT);
    if (info == nullptr) return ErrorState::Set(BASS_ERROR_ILLPARAM);
    *info = AudioSystem::Instance().Info();
    return ErrorState::Set(BASS_OK);
}

HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD) {
    std::optional<SoundFile> opened;
    if (!ErrorState::Set(OpenSoundFile(mem, file, offset, length, opened))) return 0;
    return AddChannel(Channel::Kind::Stream, VorbisDecoder::Open(std::move(*opened)));
}

BOOL BASS_StreamFree(HSTREAM handle) {
    return FreeChannel(handle, Channel::Kind::Stream);
}

HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                      DWORD freq) {
    std::optional<SoundFile> opened;
    if (!ErrorState::Set(OpenSoundFile(mem, file, offset, length, opened))) return 0;
    const DWORD rate = freq != 0 ? freq : AudioSystem::Instance().OutputRate();
    if (!AudioSystem::SupportedFrequency(rate)) {
        ErrorState::Set(BASS_ERROR_FORMAT);
        return 0;
    }
    return AddChannel(Channel::Kind::Music, ModuleDecoder::Open(std::move(*opened), rate,
                                                                (flags & BASS_MUSIC_LOOP) != 0));
}

BOOL BASS_MusicFree(HMUSIC handle) {
    return FreeChannel(handle, Channel::Kind::Music);
}

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart) {
    return OnChannel(handle, [restart](Channel& channel, AudioClock::time_point now) {
        channel.Play(restart != FALSE, now);
        ErrorState::Set(BASS_OK);
    });
}

BOOL BASS_ChannelPause(DWORD handle) {
    bool paused = false;
    return OnChannel(handle,
                     [&paused](Channel& channel, AudioClock::time_point now) {
                         paused = ErrorState::Set(channel.Pause(now) ? BASS_OK : BASS_ERROR_NOPLAY);
                     }) &&
           paused;
}

BOOL BASS_ChannelStop(DWORD handle) {
    return OnChannel(handle, [](Channel& channel, AudioClock::time_point now) {
        channel.Stop(now);
        ErrorState::Set(BASS_OK);
    });
}

DWORD BASS_ChannelIsActive(DWORD handle) {
    DWORD active = BASS_ACTIVE_STOPPED;
    OnChannel(handle, [&active](Channel& channel, AudioClock::time_point now) {
        active = channel.ActiveState(now);
        ErrorState::Set(BASS_OK);
    });
    return active;
}

QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode) {
    QWORD position = positionError;
    OnChannel(handle, [&](Channel& channel, AudioClock::time_point now) {
        if (mode != BASS_POS_BYTE) {
            ErrorState::Set(BASS_ERROR_NOTAVAIL);
            return;
        }
        position = channel.PlayedBytes(now);
        ErrorState::Set(BASS_OK);
    });
    return position;
}

double BASS_ChannelBytes2Seconds(DWORD handle, QWORD position) {
    double seconds = -1.0;
    OnChannel(handle, [&](Channel& channel, AudioClock::time_point) {
        seconds = static_cast<double>(position) / channel.BytesPerSecond();
        ErrorState::Set(BASS_OK);
    });
    return seconds;
}
