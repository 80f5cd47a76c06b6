// The video recorder: raw picture rows into the encoder's standard input, the progress it
// reports, and encoders that fail or stop reading.
#include "DeviceFixture.h"
#include "Framework/FrameworkEx.h"
#include "Framework/VideoRecorder.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

class VideoRecorderTest : public DeviceFixture {
protected:
    void SetUp() override {
        FrameworkSettings small;
        small.screenWidth = 64;
        small.screenHeight = 40; // 2-row bands above and below the 64 x 36 picture
        small.pictureWidth = 64;
        small.pictureHeight = 36;
        OpenFramework(small);
        output = std::filesystem::temp_directory_path() / "lumenvale-video-test.raw";
    }
    void TearDown() override {
        std::filesystem::remove(output);
        DeviceFixture::TearDown();
    }

    // The back buffer black with the picture's first row red.
    void DrawFrame() {
        g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
        const D3DRECT firstRow{0, 2, 64, 3};
        g_pd3dDevice->Clear(1, &firstRow, D3DCLEAR_TARGET, 0xFFFF0000, 1.0f, 0);
    }

    std::filesystem::path output;
};

TEST_F(VideoRecorderTest, WritesThePictureRowsOfEveryFrame) {
    VideoRecorder recorder("cat > '" + output.string() + "'", {10.0, 10.1, 30.0}, "raw frames");
    for (int frame = 0; frame < 3; ++frame) {
        DrawFrame();
        recorder.Save(framework->backBufferSurface, framework->settings);
    }
    recorder.Finish();
    EXPECT_EQ(recorder.FramesWritten(), 3u);
    std::ifstream in(output, std::ios::binary);
    const std::string bytes(std::istreambuf_iterator<char>(in), {});
    ASSERT_EQ(bytes.size(), 3u * 64 * 36 * 4);
    // B, G, R, A: the first row of the picture is red, the second black.
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[2]), 0xFF);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[0]), 0x00);
    EXPECT_EQ(static_cast<std::uint8_t>(bytes[64 * 4 + 2]), 0x00);
}

TEST_F(VideoRecorderTest, EncoderFailuresAreReported) {
    {
        VideoRecorder failing("cat > /dev/null; exit 3", {0.0, 1.0, 30.0}, "nothing");
        DrawFrame();
        failing.Save(framework->backBufferSurface, framework->settings);
        try {
            failing.Finish();
            ADD_FAILURE() << "no exception";
        } catch (const FrameworkEx& error) {
            EXPECT_EQ(error.Message(), "[VideoRecorder::Finish]: The encoder failed with status 3");
        }
    }
    VideoRecorder deaf("exit 0", {0.0, 1.0, 30.0}, "nothing");
    DrawFrame();
    bool refused = false;
    // The pipe takes a few frames before the write fails.
    for (int frame = 0; frame < 200 && !refused; ++frame) {
        try {
            deaf.Save(framework->backBufferSurface, framework->settings);
        } catch (const FrameworkEx& error) {
            EXPECT_EQ(error.Message(), "[VideoRecorder::Save]: The encoder stopped reading");
            refused = true;
        }
    }
    EXPECT_TRUE(refused);
}

} // namespace
