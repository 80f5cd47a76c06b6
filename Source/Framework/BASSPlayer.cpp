#include "Framework/BASSPlayer.h"

#include "Framework/DXFramework.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"

#include <string>

namespace {

constexpr DWORD halfVolume = 5000;
constexpr DWORD maxPlausibleLatencyMs = 5000;
constexpr DWORD fallbackLatencyMs = 30;

[[noreturn]] void ThrowWithBassCode(const char* text) {
    throw FrameworkEx(std::string(text) + std::to_string(BASS_ErrorGetCode()) + ".");
}

} // namespace

BASSPlayer::BASSPlayer() : Singleton("BASSPlayer") {
    deviceInfo = {};
    fileImage = nullptr;
}

BASSPlayer::~BASSPlayer() {
    if (fileImage != nullptr) Stop();
}

void BASSPlayer::InitDevice() {
    if ((BASS_GetVersion() >> 16) != BASSVERSION)
        throw FrameworkEx("Wrong BASS .dll for this .lib");
    BASS_SetConfig(BASS_CONFIG_GVOL_MUSIC, halfVolume);
    BASS_SetConfig(BASS_CONFIG_GVOL_SAMPLE, halfVolume);
    BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, halfVolume);
    HWND window = DXFramework::Instance() != nullptr ? DXFramework::Instance()->window : nullptr;
    // Without a sound device the silent one still advances the clock.
    if (!BASS_Init(-1, 44100, BASS_DEVICE_LATENCY, window, nullptr))
        BASS_Init(0, 44100, BASS_DEVICE_LATENCY, window, nullptr);
    BASS_GetInfo(&deviceInfo);
    if (deviceInfo.latency > maxPlausibleLatencyMs) deviceInfo.latency = fallbackLatencyMs;
}

void BASSPlayer::Init(BASS_SOUNDTYPE type, const char* name) {
    const std::uint32_t size = FileSys::Instance()->GetFileSize(name);
    // An image still held may be played from by a channel that was not stopped.
    static_cast<void>(fileImage.release());
    fileImage = std::make_unique<unsigned char[]>(size);
    FileSys::Instance()->ReadFile(name, fileImage.get());
    switch (type) {
    case BASS_STREAM:
        streamHandle = BASS_StreamCreateFile(TRUE, fileImage.get(), 0, size, BASS_STREAM_PRESCAN);
        if (streamHandle == 0)
            ThrowWithBassCode("[BASSPlayer::Play] Could not create stream.  BASS error code ");
        break;
    case BASS_MUSIC:
        musicHandle = BASS_MusicLoad(TRUE, fileImage.get(), 0, size, BASS_MUSIC_LOOP, 0);
        if (musicHandle == 0)
            ThrowWithBassCode("[BASSPlayer::Play] Could not create music.  BASS error code ");
        break;
    default:
        throw FrameworkEx("[BASSPlayer::Init] Invalid type specified " +
                          std::to_string(static_cast<int>(type)) + ".");
    }
    currentType = type;
}

BOOL BASSPlayer::Play() {
    const BOOL played = BASS_ChannelPlay(CurrentHandle(), TRUE);
    if (played) return played;
    ThrowWithBassCode(currentType == BASS_STREAM
                          ? "[BASSPlayer::Play] Could not play stream.  BASS error code "
                          : "[BASSPlayer::Play] Could not play music.  BASS error code ");
}

void BASSPlayer::Pause() {
    BASS_ChannelPause(streamHandle);
}

void BASSPlayer::Stop() {
    if (currentType == BASS_STREAM) {
        BASS_ChannelStop(streamHandle);
        BASS_StreamFree(streamHandle);
    } else {
        BASS_ChannelStop(musicHandle);
        BASS_MusicFree(musicHandle);
    }
    fileImage = nullptr;
}

double BASSPlayer::GetBassTime() const {
    const DWORD handle = CurrentHandle();
    const QWORD bytes = BASS_ChannelGetPosition(handle, BASS_POS_BYTE);
    const double seconds = BASS_ChannelBytes2Seconds(handle, bytes);
    return seconds - deviceInfo.latency * 0.001f;
}

DWORD BASSPlayer::CurrentHandle() {
    return currentType == BASS_STREAM ? streamHandle : musicHandle;
}
