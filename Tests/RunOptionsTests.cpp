// The command line beside "--nosetup": values read, and the reasons bad ones are refused.
#include "Framework/RunOptions.h"

#include <gtest/gtest.h>

namespace {

TEST(RunOptions, ReadsEveryOption) {
    std::string error;
    const auto options = RunOptions::Parse(
        "--nosetup --capture out/frames --fps 10 --size 640x360 --from 82 --to 114.5", &error);
    ASSERT_TRUE(options) << error;
    EXPECT_EQ(options->captureDirectory, "out/frames");
    EXPECT_EQ(options->framesPerSecond, 10.0);
    EXPECT_EQ(options->width, 640u);
    EXPECT_EQ(options->height, 360u);
    EXPECT_EQ(options->from, 82.0);
    EXPECT_EQ(options->to, 114.5);
    EXPECT_TRUE(options->FixedStep());
}

TEST(RunOptions, DefaultsFollowTheMusic) {
    const auto options = RunOptions::Parse("--nosetup", nullptr);
    ASSERT_TRUE(options);
    EXPECT_FALSE(options->FixedStep());
    EXPECT_EQ(options->framesPerSecond, 30.0);
    EXPECT_EQ(options->width, 0u);
    EXPECT_TRUE(options->captureDirectory.empty());
    EXPECT_TRUE(options->videoFile.empty());
}

TEST(RunOptions, AVideoRendersWithTheFixedStepClock) {
    const auto options = RunOptions::Parse("--nosetup --video show.mp4", nullptr);
    ASSERT_TRUE(options);
    EXPECT_EQ(options->videoFile, "show.mp4");
    EXPECT_TRUE(options->FixedStep());
    EXPECT_FALSE(options->from);
}

TEST(RunOptions, RefusesBadCommandLines) {
    const struct {
        const char* commandLine;
        const char* error;
    } cases[] = {
        {"--fullscreen", "unknown option --fullscreen"},
        {"--capture", "--capture needs a value"},
        {"--fps fast", "--fps wants a number of seconds, not fast"},
        {"--fps 0", "--fps wants 1 to 1000"},
        {"--from -3", "--from wants a number of seconds, not -3"},
        {"--from 12s", "--from wants a number of seconds, not 12s"},
        {"--size 640", "--size wants WxH, for example 640x360"},
        {"--size 8x8", "--size wants WxH, for example 640x360"},
        {"--size 640x300", "--size: the 16:9 picture must fit, so W x 9 / 16 <= H"},
        {"--from 90 --to 80", "--to must come after --from"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(RunOptions::Parse(c.commandLine, &error)) << c.commandLine;
        EXPECT_EQ(error, c.error) << c.commandLine;
    }
}

} // namespace
