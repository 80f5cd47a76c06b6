// The program as a whole, run in a child process: its exit code and the message box line it
// prints without a display, for a normal end and for each kind of failure.
#include "Main.h"

#include "Framework/DXFramework.h"

#include "Platform/D3D9/D3D9TestSeam.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

class Entry : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

// Runs the program with a quit message already queued, so the first frame-loop iteration ends.
// Libraries may print their own notes on standard error before the box line.
[[noreturn]] void RunAndQuit(const char* commandLine) {
    PostQuitMessage(0);
    std::exit(LumenvaleMain(GetModuleHandle(nullptr), commandLine));
}

TEST_F(Entry, NoSetupPlaysAndEndsWithZero) {
    EXPECT_EXIT(
        {
            PostQuitMessage(0);
            const int code = LumenvaleMain(GetModuleHandle(nullptr), "--nosetup");
            std::fputs("ended\n", stderr);
            std::exit(code);
        },
        ::testing::ExitedWithCode(0), "(^|\n)ended\n$");
}

TEST_F(Entry, ClosingTheSetupDialogEndsTheProgramWithZero) {
    EXPECT_EXIT(
        {
            // The dialog's first look at the event queue finds the request to close it.
            SDL_InitSubSystem(SDL_INIT_VIDEO);
            SDL_Event quit{};
            quit.type = SDL_QUIT;
            SDL_PushEvent(&quit);
            const int code = LumenvaleMain(GetModuleHandle(nullptr), "");
            std::fputs(DXFramework::Instance() ? "framework left\n" : "ended\n", stderr);
            std::exit(code);
        },
        ::testing::ExitedWithCode(0), "(^|\n)ended\n$");
}

TEST_F(Entry, MissingHardwareFeatureReleasesThenShowsItsBox) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::OverrideCaps(
                [](D3DCAPS9& caps) { caps.PixelShaderVersion = D3DPS_VERSION(2, 0); });
            RunAndQuit("--nosetup");
        },
        ::testing::ExitedWithCode(1),
        "(^|\n)Fuckings from your hardware: PixelShaderVersion < 3.0\n$");
}

TEST_F(Entry, OutOfVideoMemoryGetsItsOwnAdvice) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::InjectResult("CreateDepthStencilSurface", D3DERR_OUTOFVIDEOMEMORY);
            RunAndQuit("--nosetup");
        },
        ::testing::ExitedWithCode(1),
        "(^|\n)Out of video memory: Try reducing the number of multisamples, reduce resolution, or "
        "check the 128MB VRAM box.\n$");
}

TEST_F(Entry, OtherGuardedFailureShowsItsWholeMessage) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::InjectResult("CreateDepthStencilSurface", D3DERR_INVALIDCALL);
            RunAndQuit("--nosetup");
        },
        ::testing::ExitedWithCode(1),
        "(^|\n)Framework exception: Error: D3DERR_INVALIDCALL\n\n"
        "\\.\\\\Source\\\\Framework\\\\DXFramework : [0-9]+\n$");
}

TEST_F(Entry, NoDirect3DIsAFrameworkException) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::FailDirect3DCreate(true);
            RunAndQuit("--nosetup");
        },
        ::testing::ExitedWithCode(1), "(^|\n)Framework exception: Unable to initialize d3d9\n$");
}

TEST_F(Entry, ALostDeviceDuringLoadingIsNoFailure) {
    EXPECT_EXIT(
        {
            D3D9TestSeam::InjectResult("SetDepthStencilSurface", D3DERR_DEVICELOST);
            RunAndQuit("--nosetup");
        },
        ::testing::ExitedWithCode(0), "");
}

} // namespace
