// The music player over a data file holding the soundtrack and the game's module: the demo
// clock, the device fallback, the switch to the module, and every failure message.
#include "DataPacker/DataFileWriter.h"
#include "Framework/BASSPlayer.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Platform/Audio/AudioTestSeam.h"
#include "Platform/Audio/Bass.h"
#include "SoundFixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <unistd.h>

namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr const char* soundtrack = "Data\\lumenvale_final.ogg";
constexpr const char* gameMusic = "Data\\wcoox.it";
constexpr const char* damagedEntry = "Data\\damaged.ogg";

std::string ThrownMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const FrameworkEx& error) {
        return error.Message();
    }
    return "";
}

// A data file in a fresh working directory, its FileSys, and a player.
class MusicPlayer : public ::testing::Test {
protected:
    void SetUp() override {
        DataFileWriter writer;
        writer.Add(soundtrack, SoundFixtures::SineOgg(44100, 2, 3.0));
        writer.Add(gameMusic, SoundFixtures::SquareWaveModule());
        writer.AddCompressed(damagedEntry, SoundFixtures::Noise(64), 1000);
        fs::create_directories(directory);
        writer.Write(directory / "basefile.dat");
        previousDirectory = fs::current_path();
        fs::current_path(directory);
        fileSys = std::make_unique<FileSys>();
        player = std::make_unique<BASSPlayer>();
    }

    void TearDown() override {
        player.reset();
        fileSys.reset();
        BASS_Free();
        AudioTestSeam::OverrideLatency(std::nullopt);
        fs::current_path(previousDirectory);
        fs::remove_all(directory);
    }

    void StartSoundtrack() {
        player->InitDevice();
        player->Init(BASS_STREAM, soundtrack);
        EXPECT_NE(player->Play(), FALSE);
    }

    const SoundFixtures::ScopedAudioDriver dummyDriver{"dummy"};
    const fs::path directory =
        fs::temp_directory_path() / ("lumenvale-bassplayer-" + std::to_string(getpid()));
    fs::path previousDirectory;
    std::unique_ptr<FileSys> fileSys;
    std::unique_ptr<BASSPlayer> player;
};

TEST_F(MusicPlayer, ClockStartsAtMinusTheLatencyWhichIsKeptPlausible) {
    struct Case {
        DWORD reported;
        double usedSeconds;
    };
    for (const Case c :
         {Case{25, 0.025}, Case{5000, 5.0}, Case{5001, 0.030}, Case{0xFFFFFFFF, 0.030}}) {
        SCOPED_TRACE(testing::Message() << "reported latency " << c.reported << " ms");
        AudioTestSeam::OverrideLatency(c.reported);
        StartSoundtrack();
        const double time = player->GetBassTime();
        EXPECT_GE(time, -c.usedSeconds - 1e-6);
        EXPECT_LT(time, -c.usedSeconds + 0.1);
        player->Stop();
        BASS_Free();
    }
}

TEST_F(MusicPlayer, ClockFollowsTheSoundtrackAndHoldsWhenPaused) {
    StartSoundtrack();
    std::this_thread::sleep_for(300ms);
    const double playing = player->GetBassTime();
    EXPECT_GT(playing, 0.1);
    EXPECT_LT(playing, 1.5);
    player->Pause();
    const double paused = player->GetBassTime();
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(player->GetBassTime(), paused);
}

TEST_F(MusicPlayer, WithoutASoundDeviceTheClockRunsSilently) {
    {
        const SoundFixtures::ScopedAudioDriver noDriver(SoundFixtures::missingAudioDriver);
        player->InitDevice();
    }
    player->Init(BASS_STREAM, soundtrack);
    player->Play();
    EXPECT_LT(std::abs(player->GetBassTime()), 0.05) << "the silent device has no latency";
    std::this_thread::sleep_for(300ms);
    EXPECT_GT(player->GetBassTime(), 0.1);
    EXPECT_LT(player->GetBassTime(), 1.5);
}

TEST_F(MusicPlayer, GameMusicRestartsTheClockAndIgnoresPause) {
    StartSoundtrack();
    std::this_thread::sleep_for(300ms);
    player->Pause();
    player->Stop();
    player->Init(BASS_MUSIC, gameMusic);
    player->Play();
    const double started = player->GetBassTime();
    EXPECT_LT(started, 0.1);
    // Pause acts on the stream, already freed: the module plays on.
    player->Pause();
    std::this_thread::sleep_for(200ms);
    EXPECT_GT(player->GetBassTime(), started + 0.1);
}

TEST_F(MusicPlayer, InitFailuresNameTheirCause) {
    player->InitDevice();
    struct Case {
        int type;
        const char* entry;
        std::string message;
    };
    const Case cases[] = {
        {2, soundtrack, "[BASSPlayer::Init] Invalid type specified 2."},
        {-1, gameMusic, "[BASSPlayer::Init] Invalid type specified -1."},
        // The entry is read before the type is looked at.
        {2, damagedEntry, "[FileSys::ReadFile]: Error uncompressing file"},
        {BASS_STREAM, "Data\\missing.ogg",
         "[BASSPlayer::Play] Could not create stream.  BASS error code 41."},
        {BASS_MUSIC, "Data\\missing.it",
         "[BASSPlayer::Play] Could not create music.  BASS error code 41."},
        {BASS_STREAM, gameMusic,
         "[BASSPlayer::Play] Could not create stream.  BASS error code 41."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(
            ThrownMessage([&] { player->Init(static_cast<BASS_SOUNDTYPE>(c.type), c.entry); }),
            c.message);
        // Init keeps an image it holds already, so callers stop before loading again.
        player->Stop();
    }
}

TEST_F(MusicPlayer, PlayFailuresCarryTheBassCode) {
    player->InitDevice();
    struct Case {
        BASS_SOUNDTYPE type;
        const char* entry;
        std::string message;
    };
    const Case cases[] = {
        {BASS_STREAM, soundtrack, "[BASSPlayer::Play] Could not play stream.  BASS error code 5."},
        {BASS_MUSIC, gameMusic, "[BASSPlayer::Play] Could not play music.  BASS error code 5."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.entry);
        player->Init(c.type, c.entry);
        // Stop frees the channel and keeps its handle.
        player->Stop();
        EXPECT_EQ(ThrownMessage([&] { player->Play(); }), c.message);
    }
}

} // namespace
