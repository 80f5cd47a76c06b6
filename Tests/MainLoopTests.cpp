// The frame loop as the program runs it, in a child process with a fixed-step clock: warm-up,
// the end of the show, the game switch, Escape and the lost device.
#include "BuildEffectEntries.h"
#include "DataPacker/DataFileWriter.h"
#include "Framework/DXFramework.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/KeyHandler.h"
#include "Framework/SceneHandler.h"
#include "Framework/Timer.h"
#include "Platform/D3D9/D3D9TestSeam.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace {

// A scene that reports what happens to it on standard error and may act on each update.
class ProbeScene : public Scene {
public:
    ProbeScene(const char* sceneName, std::function<void(int)> onUpdate = {})
        : Scene(sceneName), act(std::move(onUpdate)) {}
    void Update() override {
        std::fprintf(stderr, "%s update %.2f%s\n", Name().c_str(), Timer::currentTime,
                     DXFramework::Instance()->warmingUp ? " warm-up" : "");
        if (act) act(updates++);
    }
    void Start() override { std::fprintf(stderr, "%s start\n", Name().c_str()); }
    void Load() override { std::fprintf(stderr, "%s load\n", Name().c_str()); }

private:
    std::function<void(int)> act;
    int updates = 0;
};

using Bytes = std::vector<unsigned char>;

Bytes ReadEntry(const char* name) {
    FileSys fileSys;
    Bytes bytes(fileSys.GetFileSize(name));
    fileSys.ReadFile(name, bytes.data());
    return bytes;
}

// Moves to a directory of the test's own whose data file holds the build's music, noise volume
// and effects, and a timeline that shows the probe scene.
void MountShowData() {
    const Bytes soundtrack = ReadEntry("Data\\lumenvale_final.ogg");
    const Bytes noise = ReadEntry("Data\\noise.bin");
    const auto directory = std::filesystem::temp_directory_path() /
                           ("lumenvale-mainloop-" + std::to_string(::getpid()));
    std::filesystem::create_directories(directory);
    std::filesystem::current_path(directory);
    const std::string scenes = "0 Probe\n", game = "0 TetrisScene\n";
    DataFileWriter writer;
    writer.Add("Data\\lumenvale_final.ogg", soundtrack);
    writer.Add("Data\\noise.bin", noise);
    writer.Add("Data\\event\\Scenes", Bytes(scenes.begin(), scenes.end()));
    writer.Add("Data\\event\\Scenes2", Bytes(game.begin(), game.end()));
    for (const auto& [name, content] : BuildEffectEntries())
        writer.Add(name, Bytes(content.begin(), content.end()));
    writer.Write(directory / "basefile.dat");
}

// Runs the framework with one scene, as the program would, and exits with its outcome.
[[noreturn]] void RunShow(const char* commandLine, Scene* scene) {
    MountShowData();
    auto* framework = new DXFramework(commandLine, nullptr, "Lumenvale");
    framework->gameSceneFactory = [] { return new ProbeScene("TetrisScene"); };
    try {
        SceneHandler::Instance()->AddScene(scene);
        framework->Run();
    } catch (const FrameworkEx& failure) {
        std::fprintf(stderr, "failure: %s\n", failure.Message().c_str());
        std::exit(1);
    }
    std::fprintf(stderr, "ended in %s\n", SceneHandler::Instance()->Name().c_str());
    delete framework;
    std::filesystem::remove_all(std::filesystem::current_path());
    std::exit(0);
}

void TypeGameWord() {
    for (char key : {'T', 'E', 'T', 'R', 'I', 'S'})
        KeyHandler::Instance()->KeyDown(key);
}

class MainLoop : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

TEST_F(MainLoop, WarmUpVisitsTheTimelineThenLeavesTheClockAtZero) {
    EXPECT_EXIT(RunShow("--nosetup --size 64x36 --from 0 --to 0.05", new ProbeScene("Probe")),
                ::testing::ExitedWithCode(0),
                "Probe update 20.00 warm-up\nProbe update 52.00 warm-up\n"
                "Probe update 120.00 warm-up\nProbe update 145.00 warm-up\n"
                "Probe update 170.00 warm-up\nProbe update 180.00 warm-up\n"
                "Probe update 185.00 warm-up\nProbe update 203.00 warm-up\n"
                "Probe update 234.00 warm-up\nProbe update 275.00 warm-up\n"
                "Probe update 0.00\nProbe update 0.03\nended in Scenes\n$");
}

TEST_F(MainLoop, TheShowStopsAt287Seconds) {
    EXPECT_EXIT(
        RunShow("--nosetup --size 64x36 --from 286.8 --to 300 --fps 10", new ProbeScene("Probe")),
        ::testing::ExitedWithCode(0),
        "Probe update 286.80\nProbe update 286.90\nProbe update 287.00\nended in Scenes\n$");
}

TEST_F(MainLoop, TheGameWordKeepsItRunningInTheGame) {
    EXPECT_EXIT(RunShow("--nosetup --size 64x36 --from 286.8 --to 287.35 --fps 10",
                        new ProbeScene("Probe",
                                       [](int update) {
                                           if (update == 10)
                                               TypeGameWord(); // the first frame after warm-up
                                       })),
                ::testing::ExitedWithCode(0),
                "Probe update 286.80\nTetrisScene load\nTetrisScene start\n"
                "TetrisScene update 286.90\n(TetrisScene update [0-9.]+\n)+ended in Scenes2\n$");
}

TEST_F(MainLoop, EscapeEndsTheLoop) {
    EXPECT_EXIT(RunShow("--nosetup --size 64x36 --from 10 --fps 10",
                        new ProbeScene("Probe",
                                       [](int update) {
                                           if (update == 12)
                                               DXFramework::WindowProc(nullptr, WM_KEYDOWN,
                                                                       VK_ESCAPE, 0);
                                       })),
                ::testing::ExitedWithCode(0), "Probe update 10.20\nended in Scenes\n$");
}

TEST_F(MainLoop, TheCloseBoxEndsTheLoop) {
    EXPECT_EXIT(RunShow("--nosetup --size 64x36 --from 10 --fps 10",
                        new ProbeScene("Probe",
                                       [](int update) {
                                           if (update == 12)
                                               PostMessage(DXFramework::Instance()->window,
                                                           WM_CLOSE, 0, 0);
                                       })),
                ::testing::ExitedWithCode(0), "Probe update 10.20\nended in Scenes\n$");
}

TEST_F(MainLoop, ALostDeviceIsResetAndTheShowGoesOn) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::InjectResult("Present", D3DERR_DEVICELOST);
            D3D9TestSeam::InjectResult("TestCooperativeLevel", D3DERR_DEVICELOST);
            D3D9TestSeam::InjectResult("TestCooperativeLevel", D3DERR_DEVICENOTRESET);
            RunShow("--nosetup --size 64x36 --from 1 --to 1.25 --fps 10", new ProbeScene("Probe"));
        },
        ::testing::ExitedWithCode(0),
        "Probe update 1.00\nProbe load\nProbe update 1.10\nProbe update 1.20\nended in Scenes\n$");
}

TEST_F(MainLoop, ADriverFailureWhileLostEndsTheProgram) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::InjectResult("Present", D3DERR_DEVICELOST);
            D3D9TestSeam::InjectResult("TestCooperativeLevel", D3DERR_DRIVERINTERNALERROR);
            RunShow("--nosetup --size 64x36 --from 1 --to 2 --fps 10", new ProbeScene("Probe"));
        },
        ::testing::ExitedWithCode(1), "failure: Lost device: D3DERR_DRIVERINTERNALERROR\n$");
}

} // namespace
