// The 16:9 picture area inside the back buffer: its viewport, and the letterbox clear that
// blackens it and the bands above and below, read back from the back buffer.
#include "DeviceFixture.h"

#include <gtest/gtest.h>

namespace {

constexpr D3DCOLOR kWhite = D3DCOLOR_ARGB(255, 255, 255, 255);
constexpr D3DCOLOR kRed = D3DCOLOR_ARGB(255, 255, 0, 0);
constexpr std::uint32_t kRgb = 0x00FFFFFF;

struct LetterboxCase {
    const char* name;
    FrameworkSettings settings;
    std::uint32_t band; // rows above (and below) the picture
};

void PrintTo(const LetterboxCase& c, std::ostream* os) {
    *os << c.name;
}

FrameworkSettings Settings(std::uint32_t screenWidth, std::uint32_t screenHeight,
                           std::uint32_t pictureHeight, bool fullscreen) {
    FrameworkSettings settings;
    settings.screenWidth = screenWidth;
    settings.screenHeight = screenHeight;
    settings.pictureWidth = screenWidth;
    settings.pictureHeight = pictureHeight;
    settings.fullscreen = fullscreen;
    return settings;
}

class Letterbox : public DeviceFixture, public ::testing::WithParamInterface<LetterboxCase> {
protected:
    // Row colours, top to bottom, as (first row, colour) runs.
    std::vector<std::pair<std::uint32_t, std::uint32_t>> RowRuns() {
        const auto pixels = ReadPixels(framework->backBufferSurface);
        const std::uint32_t width = framework->settings.screenWidth;
        std::vector<std::pair<std::uint32_t, std::uint32_t>> runs;
        for (std::uint32_t y = 0; y < framework->settings.screenHeight; ++y) {
            const std::uint32_t colour = pixels[y * width] & kRgb;
            for (std::uint32_t x = 1; x < width; ++x)
                EXPECT_EQ(pixels[y * width + x] & kRgb, colour) << "row " << y << " not uniform";
            if (runs.empty() || runs.back().second != colour) runs.emplace_back(y, colour);
        }
        return runs;
    }
};

TEST_P(Letterbox, BlackensEverythingAndPicturesTheMiddle) {
    const LetterboxCase& c = GetParam();
    OpenFramework(c.settings);
    ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, kWhite, 0.0f, 0), D3D_OK);

    framework->ClearLetterbox();
    const auto cleared = RowRuns();
    ASSERT_EQ(cleared.size(), 1u);
    EXPECT_EQ(cleared[0].second, 0u);

    framework->SetPictureViewport();
    ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, kRed, 0.0f, 0), D3D_OK);
    const auto runs = RowRuns();
    std::vector<std::pair<std::uint32_t, std::uint32_t>> expected;
    if (c.band != 0) expected.emplace_back(0, 0);
    expected.emplace_back(c.band, kRed & kRgb);
    if (c.band != 0) expected.emplace_back(c.band + c.settings.pictureHeight, 0);
    EXPECT_EQ(runs, expected);
}

TEST_P(Letterbox, LeavesThePictureViewportBoundOnlyWithoutBands) {
    const LetterboxCase& c = GetParam();
    OpenFramework(c.settings);
    framework->ClearLetterbox();
    D3DVIEWPORT9 viewport{};
    ASSERT_EQ(g_pd3dDevice->GetViewport(&viewport), D3D_OK);
    if (c.band == 0) {
        EXPECT_EQ(viewport.Y, 0u);
        EXPECT_EQ(viewport.Height, c.settings.pictureHeight);
    } else {
        EXPECT_EQ(viewport.Y, c.band + c.settings.pictureHeight) << "the lower band is last";
        EXPECT_EQ(viewport.Height, c.settings.screenHeight - c.band - c.settings.pictureHeight);
    }
    EXPECT_EQ(viewport.MinZ, 0.0f);
    EXPECT_EQ(viewport.MaxZ, 1.0f);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, Letterbox,
    ::testing::Values(
        LetterboxCase{"NoSetupDefaults", FrameworkSettings{}, 40},
        LetterboxCase{"Fullscreen1280x1024On5by4", Settings(1280, 1024, 720, true), 152},
        LetterboxCase{"Fullscreen1280x1024On16by9", Settings(1280, 1024, 1024, true), 0},
        LetterboxCase{"Windowed1280x720", Settings(1280, 720, 720, false), 0},
        LetterboxCase{"OddBand", Settings(640, 363, 360, false), 1}),
    [](const ::testing::TestParamInfo<LetterboxCase>& param) { return param.param.name; });

} // namespace
