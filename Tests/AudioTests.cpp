// The audio layer: BASS's functions and error codes on the dummy SDL device and on the
// no-sound device, and the mixer's volumes, rates and ends rendered block by block.
#include "Platform/Audio/AudioTestSeam.h"
#include "Platform/Audio/Bass.h"
#include "Platform/Audio/Channel.h"
#include "Platform/Audio/Mixer.h"
#include "Platform/Audio/ModuleDecoder.h"
#include "Platform/Audio/VorbisDecoder.h"
#include "SoundFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace std::chrono_literals;
using SoundFixtures::Bytes;

constexpr int defaultDevice = -1;
constexpr int noSoundDevice = 0;

double PlayedSeconds(DWORD handle) {
    return BASS_ChannelBytes2Seconds(handle, BASS_ChannelGetPosition(handle, BASS_POS_BYTE));
}

class BassDevice : public ::testing::Test {
protected:
    void TearDown() override {
        BASS_Free();
        AudioTestSeam::OverrideLatency(std::nullopt);
    }

    static void Init(int device, DWORD flags = BASS_DEVICE_LATENCY) {
        ASSERT_TRUE(BASS_Init(device, 44100, flags, nullptr, nullptr)) << BASS_ErrorGetCode();
    }

    static BASS_INFO Info() {
        BASS_INFO info{};
        EXPECT_TRUE(BASS_GetInfo(&info));
        return info;
    }

    const SoundFixtures::ScopedAudioDriver dummyDriver{"dummy"};
    const Bytes sine = SoundFixtures::SineOgg(44100, 2, 3.0);
    const Bytes module = SoundFixtures::SquareWaveModule();
};

TEST(BassApi, IsVersionTwoPointFour) {
    EXPECT_EQ(BASS_GetVersion() >> 16, BASSVERSION);
}

TEST(BassApi, GlobalVolumesRangeFromZeroToTenThousand) {
    struct Case {
        DWORD option;
        DWORD value;
        int error;
    };
    const Case cases[] = {
        {BASS_CONFIG_GVOL_STREAM, 5000, BASS_OK},
        {BASS_CONFIG_GVOL_MUSIC, 10000, BASS_OK},
        {BASS_CONFIG_GVOL_SAMPLE, 0, BASS_OK},
        {BASS_CONFIG_GVOL_STREAM, 10001, BASS_ERROR_ILLPARAM},
        {99, 1, BASS_ERROR_ILLPARAM},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "option " << c.option << " value " << c.value);
        const DWORD before = BASS_GetConfig(c.option);
        EXPECT_EQ(BASS_SetConfig(c.option, c.value), c.error == BASS_OK);
        EXPECT_EQ(BASS_ErrorGetCode(), c.error);
        if (c.error == BASS_OK)
            EXPECT_EQ(BASS_GetConfig(c.option), c.value);
        else
            EXPECT_EQ(BASS_GetConfig(c.option), before);
    }
    for (DWORD option : {BASS_CONFIG_GVOL_STREAM, BASS_CONFIG_GVOL_MUSIC, BASS_CONFIG_GVOL_SAMPLE})
        BASS_SetConfig(option, Mixer::fullVolume);
}

TEST(BassApi, NeedsAnOpenDevice) {
    const Bytes sine = SoundFixtures::SineOgg(44100, 2, 0.1);
    BASS_INFO info{};
    const std::function<bool()> calls[] = {
        [&] { return BASS_StreamCreateFile(TRUE, sine.data(), 0, sine.size(), 0) != 0; },
        [&] { return BASS_MusicLoad(TRUE, sine.data(), 0, 100, 0, 0) != 0; },
        [&] { return BASS_GetInfo(&info) != FALSE; },
        [] { return BASS_Free() != FALSE; },
    };
    for (const auto& call : calls) {
        EXPECT_FALSE(call());
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_INIT);
    }
}

TEST_F(BassDevice, InitRefusesUnknownDevicesRatesAndASecondDevice) {
    EXPECT_FALSE(BASS_Init(2, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_Init(-2, 44100, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DEVICE);
    EXPECT_FALSE(BASS_Init(noSoundDevice, 1000, 0, nullptr, nullptr));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FORMAT);

    Init(defaultDevice);
    for (int device : {defaultDevice, noSoundDevice}) {
        EXPECT_FALSE(BASS_Init(device, 44100, 0, nullptr, nullptr));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_ALREADY);
    }
}

TEST_F(BassDevice, DefaultDeviceThatCannotOpenLeavesTheSilentOne) {
    {
        const SoundFixtures::ScopedAudioDriver noDriver(SoundFixtures::missingAudioDriver);
        EXPECT_FALSE(BASS_Init(defaultDevice, 44100, BASS_DEVICE_LATENCY, nullptr, nullptr));
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_DRIVER);
        Init(noSoundDevice);
    }
    EXPECT_EQ(Info().latency, 0u);
}

TEST_F(BassDevice, InfoReportsTheOutputLatencyWhenAskedFor) {
    Init(defaultDevice);
    const BASS_INFO info = Info();
    EXPECT_EQ(info.freq, 44100u);
    EXPECT_EQ(info.initflags, BASS_DEVICE_LATENCY);
    // The SDL buffer: at least a millisecond, and far from the sanity limit.
    EXPECT_GE(info.latency, 1u);
    EXPECT_LE(info.latency, 1000u);
    EXPECT_EQ(info.minbuf, info.latency);

    AudioTestSeam::OverrideLatency(777);
    EXPECT_EQ(Info().latency, 777u);
    AudioTestSeam::OverrideLatency(std::nullopt);

    BASS_Free();
    Init(defaultDevice, 0);
    EXPECT_EQ(Info().latency, 0u) << "measured only with BASS_DEVICE_LATENCY";
    BASS_Free();
    Init(noSoundDevice);
    EXPECT_EQ(Info().latency, 0u);
}

// Every device and channel kind: the played position follows real time while playing, holds
// while paused or stopped, and goes back to the start on restart. Bounds are wide: this is
// about the position's behaviour, not the timer's precision.
struct PlaybackCase {
    const char* name;
    int device;
    bool music;
};

class Playback : public BassDevice, public ::testing::WithParamInterface<PlaybackCase> {};

TEST_P(Playback, PositionFollowsRealTimeOnlyWhilePlaying) {
    Init(GetParam().device);
    const DWORD handle =
        GetParam().music
            ? BASS_MusicLoad(TRUE, module.data(), 0, static_cast<DWORD>(module.size()),
                             BASS_MUSIC_LOOP, 0)
            : BASS_StreamCreateFile(TRUE, sine.data(), 0, sine.size(), BASS_STREAM_PRESCAN);
    ASSERT_NE(handle, 0u) << BASS_ErrorGetCode();
    EXPECT_EQ(PlayedSeconds(handle), 0.0);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_STOPPED);

    ASSERT_TRUE(BASS_ChannelPlay(handle, TRUE));
    std::this_thread::sleep_for(300ms);
    const double playing = PlayedSeconds(handle);
    EXPECT_GT(playing, 0.1);
    EXPECT_LT(playing, 1.5);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_PLAYING);

    ASSERT_TRUE(BASS_ChannelPause(handle));
    const double paused = PlayedSeconds(handle);
    EXPECT_GE(paused, playing);
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(PlayedSeconds(handle), paused);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_PAUSED);
    EXPECT_FALSE(BASS_ChannelPause(handle));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOPLAY);

    ASSERT_TRUE(BASS_ChannelPlay(handle, FALSE));
    std::this_thread::sleep_for(100ms);
    const double resumed = PlayedSeconds(handle);
    EXPECT_GT(resumed, paused);

    ASSERT_TRUE(BASS_ChannelPlay(handle, TRUE));
    EXPECT_LT(PlayedSeconds(handle), std::min(0.1, resumed));

    ASSERT_TRUE(BASS_ChannelStop(handle));
    const double stopped = PlayedSeconds(handle);
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(PlayedSeconds(handle), stopped);
    EXPECT_EQ(BASS_ChannelIsActive(handle), BASS_ACTIVE_STOPPED);
}

INSTANTIATE_TEST_SUITE_P(DevicesAndKinds, Playback,
                         ::testing::Values(PlaybackCase{"DefaultStream", defaultDevice, false},
                                           PlaybackCase{"DefaultMusic", defaultDevice, true},
                                           PlaybackCase{"SilentStream", noSoundDevice, false},
                                           PlaybackCase{"SilentMusic", noSoundDevice, true}),
                         [](const auto& testCase) { return std::string(testCase.param.name); });

TEST_F(BassDevice, BytesToSecondsUsesTheChannelsOwnFormat) {
    Init(noSoundDevice);
    const Bytes mono = SoundFixtures::SineOgg(22050, 1, 0.2);
    struct Case {
        const char* name;
        DWORD handle;
        QWORD bytesPerSecond;
    };
    const auto moduleSize = static_cast<DWORD>(module.size());
    const Case cases[] = {
        {"stereo 44100 stream", BASS_StreamCreateFile(TRUE, sine.data(), 0, sine.size(), 0),
         44100 * 4},
        {"mono 22050 stream", BASS_StreamCreateFile(TRUE, mono.data(), 0, mono.size(), 0),
         22050 * 2},
        {"music at the output rate", BASS_MusicLoad(TRUE, module.data(), 0, moduleSize, 0, 0),
         44100 * 4},
        {"music at 22050 Hz", BASS_MusicLoad(TRUE, module.data(), 0, moduleSize, 0, 22050),
         22050 * 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.handle, 0u);
        EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(c.handle, c.bytesPerSecond * 3), 3.0);
        EXPECT_DOUBLE_EQ(BASS_ChannelBytes2Seconds(c.handle, c.bytesPerSecond / 4), 0.25);
    }
}

TEST_F(BassDevice, DataTheDecodersRefuseIsAnUnsupportedFileFormat) {
    Init(noSoundDevice);
    const std::string text(2000, 'x');
    struct Case {
        const char* name;
        Bytes data;
        std::size_t length;
    };
    const Bytes noise = SoundFixtures::Noise(4096);
    const Case cases[] = {
        {"nothing", Bytes(1), 0},
        {"text", Bytes(text.begin(), text.end()), text.size()},
        {"noise", noise, noise.size()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(BASS_StreamCreateFile(TRUE, c.data.data(), 0, c.length, 0), 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
        EXPECT_EQ(BASS_MusicLoad(TRUE, c.data.data(), 0, static_cast<DWORD>(c.length), 0, 0), 0u);
        EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM);
    }
    EXPECT_EQ(BASS_StreamCreateFile(TRUE, module.data(), 0, module.size(), 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM) << "a module is no Vorbis stream";
    EXPECT_EQ(BASS_MusicLoad(TRUE, sine.data(), 0, static_cast<DWORD>(sine.size()), 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM) << "a Vorbis stream is no module";
}

TEST_F(BassDevice, ReadsFilesByPathFromAnOffset) {
    Init(noSoundDevice);
    const auto path = std::filesystem::temp_directory_path() /
                      ("lumenvale-audio-" + std::to_string(getpid()) + ".bin");
    const Bytes padding(100, 0);
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(padding.data()), 100);
        out.write(reinterpret_cast<const char*>(sine.data()),
                  static_cast<std::streamsize>(sine.size()));
    }
    const std::string name = path.string();
    EXPECT_NE(BASS_StreamCreateFile(FALSE, name.c_str(), 100, 0, 0), 0u);
    EXPECT_EQ(BASS_StreamCreateFile(FALSE, name.c_str(), 0, 100, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEFORM) << "the padding alone is no stream";
    std::filesystem::remove(path);

    EXPECT_EQ(BASS_StreamCreateFile(FALSE, name.c_str(), 100, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
    EXPECT_EQ(BASS_MusicLoad(FALSE, name.c_str(), 0, 0, 0, 0), 0u);
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_FILEOPEN);
}

TEST_F(BassDevice, HandlesMustNameALiveChannelOfTheRightKind) {
    Init(noSoundDevice);
    const HSTREAM stream = BASS_StreamCreateFile(TRUE, sine.data(), 0, sine.size(), 0);
    const HMUSIC music =
        BASS_MusicLoad(TRUE, module.data(), 0, static_cast<DWORD>(module.size()), 0, 0);
    ASSERT_NE(stream, 0u);
    ASSERT_NE(music, 0u);
    EXPECT_NE(stream, music);

    EXPECT_FALSE(BASS_StreamFree(music));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_FALSE(BASS_MusicFree(stream));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
    EXPECT_EQ(BASS_ChannelGetPosition(stream, 1), ~QWORD{0});
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOTAVAIL);
    EXPECT_FALSE(BASS_ChannelPause(stream));
    EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_NOPLAY) << "a channel that never played";

    ASSERT_TRUE(BASS_StreamFree(stream));
    ASSERT_TRUE(BASS_MusicFree(music));
    const std::function<bool(DWORD)> calls[] = {
        [](DWORD h) { return BASS_ChannelPlay(h, TRUE) != FALSE; },
        [](DWORD h) { return BASS_ChannelPause(h) != FALSE; },
        [](DWORD h) { return BASS_ChannelStop(h) != FALSE; },
        [](DWORD h) { return BASS_ChannelGetPosition(h, BASS_POS_BYTE) != ~QWORD{0}; },
        [](DWORD h) { return BASS_ChannelBytes2Seconds(h, 0) >= 0.0; },
        [](DWORD h) { return BASS_StreamFree(h) != FALSE; },
        [](DWORD h) { return BASS_MusicFree(h) != FALSE; },
    };
    for (DWORD freed : {stream, music, DWORD{0}}) {
        for (const auto& call : calls) {
            EXPECT_FALSE(call(freed)) << "handle " << freed;
            EXPECT_EQ(BASS_ErrorGetCode(), BASS_ERROR_HANDLE);
        }
    }
    const HSTREAM next = BASS_StreamCreateFile(TRUE, sine.data(), 0, sine.size(), 0);
    EXPECT_NE(next, stream) << "handles are not reused";
    EXPECT_NE(next, music);
}

// The channels play from the bytes in place, which must outlive them.
std::unique_ptr<Channel> StreamChannel(const Bytes& ogg) {
    auto decoder = VorbisDecoder::Open(SoundFile::InMemory(ogg.data(), 0, ogg.size()));
    EXPECT_NE(decoder, nullptr);
    return std::make_unique<Channel>(Channel::Kind::Stream, std::move(decoder));
}

std::unique_ptr<Channel> MusicChannel(const Bytes& module, bool loop) {
    auto decoder =
        ModuleDecoder::Open(SoundFile::InMemory(module.data(), 0, module.size()), 44100, loop);
    EXPECT_NE(decoder, nullptr);
    return std::make_unique<Channel>(Channel::Kind::Music, std::move(decoder));
}

// Adds the channel to the mixer, playing, and keeps a pointer for inspecting it.
Channel* AddPlaying(Mixer& mixer, std::unique_ptr<Channel> channel) {
    Channel* added = channel.get();
    added->Play(true, AudioClock::now());
    mixer.Add(std::move(channel));
    return added;
}

std::vector<std::int16_t> Render(Mixer& mixer, std::size_t frames) {
    std::vector<std::int16_t> output(frames * 2);
    constexpr std::size_t block = 1024;
    for (std::size_t at = 0; at < frames; at += block)
        mixer.Render(output.data() + at * 2, std::min(block, frames - at), 44100);
    return output;
}

int Peak(const std::vector<std::int16_t>& samples) {
    int peak = 0;
    for (std::int16_t sample : samples)
        peak = std::max(peak, std::abs(static_cast<int>(sample)));
    return peak;
}

constexpr auto later = std::chrono::hours(1);

TEST(AudioChannel, PlayedPositionIsWhatTheOutputHasHadTimeToPlay) {
    const Bytes ogg = SoundFixtures::SineOgg(44100, 2, 1.0);
    const auto channel = StreamChannel(ogg);
    std::vector<float> mix(1024 * 2);
    const auto start = AudioClock::now();
    const auto playedFrames = [&](AudioClock::duration at) {
        return static_cast<double>(channel->PlayedBytes(start + at)) / 4;
    };

    channel->Play(true, start);
    EXPECT_EQ(playedFrames(1s), 0) << "nothing handed to the output yet";
    channel->MixInto(mix.data(), 1024, 44100, 1.0f, start);
    EXPECT_EQ(playedFrames(0ms), 0);
    EXPECT_NEAR(playedFrames(10ms), 441, 1);
    EXPECT_EQ(playedFrames(1s), 1024) << "never beyond what was handed over";

    channel->MixInto(mix.data(), 1024, 44100, 1.0f, start + 25ms);
    EXPECT_EQ(playedFrames(25ms), 1024) << "the earlier block has been played";
    EXPECT_NEAR(playedFrames(35ms), 1024 + 441, 1);

    ASSERT_TRUE(channel->Pause(start + 35ms));
    EXPECT_NEAR(playedFrames(10s), 1024 + 441, 1) << "held while paused";
    channel->MixInto(mix.data(), 1024, 44100, 1.0f, start + 40ms);
    EXPECT_EQ(channel->RenderedFrames(), 2048u) << "a paused channel is not mixed";

    channel->Play(false, start + 20s);
    EXPECT_NEAR(playedFrames(20s + 5ms), 1024 + 441 + 220, 1) << "resumed where it held";
    channel->Play(true, start + 30s);
    EXPECT_EQ(playedFrames(31s), 0);
}

TEST(AudioMixer, GlobalVolumesScaleTheirOwnKind) {
    const Bytes ogg = SoundFixtures::SineOgg(44100, 2, 0.5);
    const Bytes module = SoundFixtures::SquareWaveModule();
    const auto peaks = [&](DWORD streamVolume, DWORD musicVolume) {
        Mixer streams;
        Mixer musics;
        for (Mixer* mixer : {&streams, &musics}) {
            mixer->SetVolume(Channel::Kind::Stream, streamVolume);
            mixer->SetVolume(Channel::Kind::Music, musicVolume);
        }
        AddPlaying(streams, StreamChannel(ogg));
        AddPlaying(musics, MusicChannel(module, false));
        return std::pair{Peak(Render(streams, 8192)), Peak(Render(musics, 8192))};
    };
    const auto [fullStream, fullMusic] = peaks(Mixer::fullVolume, Mixer::fullVolume);
    EXPECT_NEAR(fullStream, 0.5 * 32767, 500) << "the sine's own amplitude";
    EXPECT_GT(fullMusic, 1000);

    struct Case {
        DWORD stream;
        DWORD music;
    };
    for (const Case c : {Case{5000, 5000}, Case{10000, 0}, Case{0, 10000}, Case{2500, 7500}}) {
        SCOPED_TRACE(testing::Message() << "stream " << c.stream << ", music " << c.music);
        const auto [stream, music] = peaks(c.stream, c.music);
        EXPECT_NEAR(stream, fullStream * c.stream / 10000.0, 2);
        EXPECT_NEAR(music, fullMusic * c.music / 10000.0, 2);
    }
}

TEST(AudioMixer, ChannelsPlayAtTheirOwnRateAndPitch) {
    struct Case {
        long frequency;
        int channels;
    };
    for (const Case c : {Case{44100, 2}, Case{22050, 1}, Case{48000, 2}}) {
        SCOPED_TRACE(testing::Message() << c.frequency << " Hz, " << c.channels << " channels");
        Mixer mixer;
        const Bytes ogg = SoundFixtures::SineOgg(c.frequency, c.channels, 1.0);
        const Channel* channel = AddPlaying(mixer, StreamChannel(ogg));
        const auto output = Render(mixer, 22050);
        EXPECT_NEAR(static_cast<double>(channel->RenderedFrames()), c.frequency / 2.0, 2);
        int rises = 0;
        for (std::size_t frame = 1; frame < 22050; ++frame)
            rises += output[frame * 2 - 2] < 0 && output[frame * 2] >= 0 ? 1 : 0;
        EXPECT_NEAR(rises, SoundFixtures::sineHz / 2, 2) << "cycles in half a second";
        EXPECT_EQ(output[1000], output[1001]) << "mono plays on both sides";
    }
}

TEST(AudioMixer, StreamsAndUnloopedModulesEndWhileLoopedModulesPlayOn) {
    const Bytes module = SoundFixtures::SquareWaveModule();
    const Bytes shortSine = SoundFixtures::SineOgg(44100, 2, 0.25);
    constexpr std::size_t renderedFrames = 2 * 44100;
    struct Case {
        const char* name;
        std::unique_ptr<Channel> channel;
        DWORD active;
        double frames;
        double tolerance;
    };
    Case cases[] = {
        {"stream", StreamChannel(shortSine), BASS_ACTIVE_STOPPED, 0.25 * 44100, 0},
        // libopenmpt renders a little past the song's last row.
        {"module", MusicChannel(module, false), BASS_ACTIVE_STOPPED,
         SoundFixtures::moduleSeconds * 44100, 0.2 * 44100},
        {"looped module", MusicChannel(module, true), BASS_ACTIVE_PLAYING, renderedFrames, 0},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.name);
        Mixer mixer;
        const Channel* channel = AddPlaying(mixer, std::move(c.channel));
        Render(mixer, renderedFrames);
        EXPECT_NEAR(static_cast<double>(channel->RenderedFrames()), c.frames, c.tolerance);
        EXPECT_EQ(channel->ActiveState(AudioClock::now() + later), c.active);
    }
}

} // namespace
