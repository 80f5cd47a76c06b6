// Rendering a time range with the fixed-step clock and capturing its frames, through the whole
// program in a child process.
#include "Framework/Timer.h"
#include "Main.h"

#include <gtest/gtest.h>
#include <stb_image.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace fs = std::filesystem;

namespace {

TEST(FixedStepClock, FramesAreOneStepApart) {
    Timer timer;
    Timer::UseFixedStep(80.0, 30.0);
    const double expected[] = {80.0, 80.0 + 1.0 / 30.0, 80.0 + 2.0 / 30.0};
    for (double t : expected) {
        timer.Update();
        EXPECT_DOUBLE_EQ(Timer::currentTime, t);
    }
    EXPECT_NEAR(Timer::delta, 1.0 / 30.0, 1e-9);
    EXPECT_DOUBLE_EQ(Timer::NextStepTime(), 80.1);
}

class Capture : public ::testing::Test {
protected:
    void SetUp() override {
        GTEST_FLAG_SET(death_test_style, "threadsafe");
        // The same in the child that runs the program and in the parent that checks its files.
        directory = fs::temp_directory_path() /
                    (std::string("lumenvale-capture-") +
                     ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(directory);
    }
    void TearDown() override { fs::remove_all(directory); }

    // Runs the program on the command line; it must end by itself with exit code 0.
    void RunProgram(const std::string& options) {
        const std::string commandLine = "--nosetup --capture " + directory.string() + " " + options;
        EXPECT_EXIT(std::exit(LumenvaleMain(GetModuleHandle(nullptr), commandLine.c_str())),
                    ::testing::ExitedWithCode(0), "");
    }

    int FrameCount() const {
        int count = 0;
        for (const auto& entry : fs::directory_iterator(directory))
            count += entry.path().extension() == ".png";
        return count;
    }

    fs::path directory;
};

TEST_F(Capture, WritesOnePictureSizedPngPerStep) {
    RunProgram("--size 64x40 --from 80 --to 80.09 --fps 30");
    ASSERT_EQ(FrameCount(), 3);
    for (const char* name : {"frame_00000.png", "frame_00002.png"}) {
        int width = 0, height = 0, channels = 0;
        ASSERT_TRUE(stbi_info((directory / name).c_str(), &width, &height, &channels)) << name;
        EXPECT_EQ(width, 64);
        EXPECT_EQ(height, 36) << "the picture area, without the letterbox bands";
    }
}

TEST_F(Capture, TheShowEndsAt287Seconds) {
    RunProgram("--size 64x36 --from 286.5 --fps 10");
    EXPECT_EQ(FrameCount(), 5);
}

} // namespace
