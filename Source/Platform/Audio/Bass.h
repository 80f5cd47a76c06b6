// The part of the BASS 2.4 audio library API the music player uses, over SDL2 audio,
// libvorbisfile and libopenmpt.
//
// Names, arguments, results and error codes are BASS's. One output device is open at a time:
// the default device (-1 or 1) plays through SDL2; device 0 plays nothing, yet its channels
// advance in real time. Channels decode on the output's mixing thread from the caller's
// memory image, which must stay unchanged and alive until the channel is freed.
#pragma once

#include "Platform/Win32/Windows.h" // BOOL, DWORD, HWND, TRUE, FALSE, as bass.h takes them

#include <cstdint>

using QWORD = std::uint64_t;
using HSTREAM = DWORD;
using HMUSIC = DWORD;
using HCHANNEL = DWORD;

constexpr DWORD BASSVERSION = 0x204;

// Error codes returned by BASS_ErrorGetCode.
constexpr int BASS_OK = 0;
constexpr int BASS_ERROR_MEM = 1;
constexpr int BASS_ERROR_FILEOPEN = 2;
constexpr int BASS_ERROR_DRIVER = 3;
constexpr int BASS_ERROR_HANDLE = 5;
constexpr int BASS_ERROR_FORMAT = 6;
constexpr int BASS_ERROR_INIT = 8;
constexpr int BASS_ERROR_START = 9;
constexpr int BASS_ERROR_ALREADY = 14;
constexpr int BASS_ERROR_ILLPARAM = 20;
constexpr int BASS_ERROR_DEVICE = 23;
constexpr int BASS_ERROR_NOPLAY = 24;
constexpr int BASS_ERROR_FREQ = 25;
constexpr int BASS_ERROR_NOTAVAIL = 37;
constexpr int BASS_ERROR_FILEFORM = 41;
constexpr int BASS_ERROR_UNKNOWN = -1;

// BASS_SetConfig options; the global volumes range from 0 to 10000.
constexpr DWORD BASS_CONFIG_GVOL_SAMPLE = 4;
constexpr DWORD BASS_CONFIG_GVOL_STREAM = 5;
constexpr DWORD BASS_CONFIG_GVOL_MUSIC = 6;

// BASS_Init flags: BASS_DEVICE_LATENCY makes BASS_GetInfo report the output latency.
constexpr DWORD BASS_DEVICE_LATENCY = 0x100;

// Channel flags. Streams play once; BASS_MUSIC_LOOP makes a module repeat for ever.
constexpr DWORD BASS_MUSIC_LOOP = 4;
constexpr DWORD BASS_STREAM_PRESCAN = 0x20000;

// BASS_ChannelGetPosition modes.
constexpr DWORD BASS_POS_BYTE = 0;

// BASS_ChannelIsActive results.
constexpr DWORD BASS_ACTIVE_STOPPED = 0;
constexpr DWORD BASS_ACTIVE_PLAYING = 1;
constexpr DWORD BASS_ACTIVE_PAUSED = 3;

struct BASS_INFO {
    DWORD flags;
    DWORD hwsize;
    DWORD hwfree;
    DWORD freesam;
    DWORD free3d;
    DWORD minrate;
    DWORD maxrate;
    BOOL eax;
    DWORD minbuf; // output buffer length in ms (with BASS_DEVICE_LATENCY)
    DWORD dsver;
    DWORD latency;   // delay in ms before what was handed to the device is heard
    DWORD initflags; // BASS_Init's flags
    DWORD speakers;
    DWORD freq; // output rate
};
static_assert(sizeof(BASS_INFO) == 56);

// 0x0204xxxx: version 2.4 in the upper 16 bits.
DWORD BASS_GetVersion();
int BASS_ErrorGetCode();
BOOL BASS_SetConfig(DWORD option, DWORD value);
DWORD BASS_GetConfig(DWORD option);

// device: -1 the default output, 0 no sound. win and clsid are accepted and unused.
BOOL BASS_Init(int device, DWORD freq, DWORD flags, HWND win, const void* clsid);
// Frees the device and every channel on it.
BOOL BASS_Free();
BOOL BASS_GetInfo(BASS_INFO* info);

// mem TRUE: file points at length bytes in memory, read from offset; mem FALSE: file is a
// path. An Ogg Vorbis stream.
HSTREAM BASS_StreamCreateFile(BOOL mem, const void* file, QWORD offset, QWORD length, DWORD flags);
BOOL BASS_StreamFree(HSTREAM handle);
// A tracker module (IT, XM, S3M, MOD, ...), rendered stereo at freq (0: the output rate).
HMUSIC BASS_MusicLoad(BOOL mem, const void* file, QWORD offset, DWORD length, DWORD flags,
                      DWORD freq);
BOOL BASS_MusicFree(HMUSIC handle);

BOOL BASS_ChannelPlay(DWORD handle, BOOL restart);
BOOL BASS_ChannelPause(DWORD handle);
BOOL BASS_ChannelStop(DWORD handle);
DWORD BASS_ChannelIsActive(DWORD handle);
// Bytes of the channel's 16-bit format that the output has played; (QWORD)-1 on error.
QWORD BASS_ChannelGetPosition(DWORD handle, DWORD mode);
// A negative value on error.
double BASS_ChannelBytes2Seconds(DWORD handle, QWORD position);
