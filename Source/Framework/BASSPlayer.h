// The music player: plays the soundtrack, or the game's module, from the data file through
// the audio library, and supplies the demo clock, the playback position less the output
// latency. Its state is class-wide; the audio library plays from the file image, which
// therefore lives until Stop.
#pragma once

#include "Framework/Singleton.h"
#include "Platform/Audio/Bass.h"

#include <memory>

enum BASS_SOUNDTYPE : int { BASS_STREAM = 0, BASS_MUSIC = 1 };

class BASSPlayer : public Singleton<BASSPlayer> {
public:
    BASSPlayer();
    // Stops a channel still loaded, so that its image is not released while it plays.
    ~BASSPlayer();

    // Opens the default sound device, or the silent one when there is none.
    void InitDevice();
    // Loads the named entry of the data file as a channel of the given type. Callers Stop
    // the previous music first.
    void Init(BASS_SOUNDTYPE type, const char* name);
    // Starts the current channel from its beginning; returns BASS's success value.
    BOOL Play();
    // Pauses the stream, whichever type is current.
    void Pause();
    // Stops and frees the current channel and releases the file image.
    void Stop();
    // Seconds played of the current channel less the output latency.
    double GetBassTime() const;

private:
    static DWORD CurrentHandle();

    static inline BASS_INFO deviceInfo{};
    static inline std::unique_ptr<unsigned char[]> fileImage;
    static inline HSTREAM streamHandle = 0;
    static inline HMUSIC musicHandle = 0;
    static inline BASS_SOUNDTYPE currentType = BASS_STREAM;
};
