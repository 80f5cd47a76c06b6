// The water scene drawn by its module: the switch from the surface in the back buffer to the
// tunnel in the colour target, frames that depend on the demo time alone, and the failures of
// its device calls.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/FrameworkEx.h"
#include "Framework/ModuleHandler.h"
#include "Framework/Timer.h"
#include "Modules/PostEffects/PostEffects.h"
#include "Modules/Water/Water.h"
#include "Platform/D3D9/D3D9TestSeam.h"
#include "Scenes/WaterScene/WaterScene.h"
#include "ScratchDataFile.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

constexpr D3DCOLOR kMarker = D3DCOLOR_ARGB(255, 255, 0, 255);

int Brightness(std::uint32_t pixel) {
    return static_cast<int>(((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF));
}

class WaterDrawTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        std::ifstream cube(std::string(LUMENVALE_GENERATED_ROOT) + "/Data/bevelcube.x",
                           std::ios::binary);
        entries["Data\\bevelcube.x"] = std::string(std::istreambuf_iterator<char>(cube), {});
        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        FrameworkSettings settings;
        settings.screenWidth = 160;
        settings.screenHeight = 100;
        settings.pictureWidth = 160;
        settings.pictureHeight = 90;
        OpenFramework(settings);
        ModuleHandler::Instance()->Add(new PostEffects("PostFX"));
        scene.emplace("WaterScene");
        ModuleHandler::Instance()->Find("PostFX")->Load();
        ModuleHandler::Instance()->Find("Water")->Load();
        scene->Enter();
    }

    void TearDown() override {
        scene->Leave();
        scene.reset();
        Timer::currentTime = 0.0;
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    // One frame as the main loop draws it.
    void RenderAt(double demoTime) {
        Timer::currentTime = demoTime;
        ASSERT_EQ(g_pd3dDevice->BeginScene(), D3D_OK);
        framework->ClearLetterbox();
        scene->Render();
        ASSERT_EQ(g_pd3dDevice->EndScene(), D3D_OK);
    }

    const RTRecord& Colour() { return scene->RenderTarget("Col"); }

    void MarkColourTarget() {
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, Colour().surface), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, kMarker, 1.0f, 0), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface), D3D_OK);
    }

    // The back buffer's picture rows (the bands above and below stay black).
    std::vector<std::uint32_t> Picture() {
        std::vector<std::uint32_t> pixels = ReadPixels(framework->backBufferSurface);
        return {pixels.begin() + 5 * 160, pixels.begin() + 95 * 160};
    }

    static int LitShare(const std::vector<std::uint32_t>& pixels) {
        const auto lit = std::count_if(pixels.begin(), pixels.end(),
                                       [](std::uint32_t p) { return Brightness(p) > 30; });
        return static_cast<int>(100 * lit / static_cast<long>(pixels.size()));
    }

    std::optional<ScratchDataFile> scratch;
    std::optional<WaterScene> scene;
};

TEST_F(WaterDrawTest, SwitchesFromTheBackBufferToTheColourTargetAtNinetyEightAndAHalf) {
    MarkColourTarget();
    RenderAt(97.0);
    EXPECT_GT(LitShare(Picture()), 50);
    for (std::uint32_t pixel : ReadPixels(Colour().surface))
        ASSERT_EQ(pixel, kMarker); // the surface went to the back buffer only

    RenderAt(98.5);
    for (std::uint32_t pixel : ReadPixels(Colour().surface))
        ASSERT_NE(pixel, kMarker);
}

TEST_F(WaterDrawTest, TheTunnelWallsCarryLitLiquid) {
    RenderAt(104.0);
    const std::vector<std::uint32_t> colour = ReadPixels(Colour().surface);
    int darkest = 765, brightest = 0;
    for (std::uint32_t pixel : colour) {
        darkest = std::min(darkest, Brightness(pixel));
        brightest = std::max(brightest, Brightness(pixel));
    }
    EXPECT_GT(brightest - darkest, 150);
    EXPECT_GT(LitShare(Picture()), 30); // composed to the screen
}

// No state is carried between frames: a jump back in time gives the same picture.
TEST_F(WaterDrawTest, AFrameDependsOnTheDemoTimeAlone) {
    for (double first : {90.0, 105.0}) {
        RenderAt(first);
        const std::vector<std::uint32_t> before = Picture();
        RenderAt(first < 98.5 ? 106.0 : 86.0);
        RenderAt(first);
        EXPECT_EQ(Picture(), before) << first;
    }
}

TEST_F(WaterDrawTest, ALostDeviceInALockLetsTheFrameGoOnAndOtherFailuresNameTheModule) {
    for (double demoTime : {90.0, 105.0}) {
        D3D9TestSeam::InjectResult("IDirect3DVertexBuffer9::Lock", D3DERR_DEVICELOST);
        framework->deviceLost = false;
        RenderAt(demoTime);
        EXPECT_TRUE(framework->deviceLost) << demoTime;
        framework->deviceLost = false;

        D3D9TestSeam::InjectResult("IDirect3DVertexBuffer9::Lock", E_FAIL);
        Timer::currentTime = demoTime;
        try {
            scene->Render();
            ADD_FAILURE() << "no failure reported at " << demoTime;
        } catch (const FrameworkEx& failure) {
            EXPECT_EQ(
                failure.Message().rfind("Error: E_FAIL\n\n.\\Source\\Modules\\Water\\Water : ", 0),
                0u)
                << failure.Message();
        }
    }
}

TEST_F(WaterDrawTest, TheSceneHoldsItsSixTargets) {
    struct Case {
        const char* name;
        D3DFORMAT format;
        std::uint32_t width, height;
    };
    const Case cases[] = {{"TextureNormals512", D3DFMT_A8R8G8B8, 512, 512},
                          {"TextureTemp512a", D3DFMT_A8R8G8B8, 512, 512},
                          {"TextureTemp512b", D3DFMT_A8R8G8B8, 512, 512},
                          {"TextureTemp1024a", D3DFMT_A8R8G8B8, 512, 512},
                          {"TextureTemp1024b", D3DFMT_A8R8G8B8, 512, 512},
                          {"Col", D3DFMT_X8R8G8B8, 160, 90}};
    std::vector<IDirect3DTexture9*> textures;
    for (const Case& c : cases) {
        const RTRecord& target = scene->RenderTarget(c.name);
        EXPECT_EQ(target.format, c.format) << c.name;
        EXPECT_EQ(target.width, c.width) << c.name;
        EXPECT_EQ(target.height, c.height) << c.name;
        textures.push_back(target.texture);
    }
    std::sort(textures.begin(), textures.end());
    EXPECT_EQ(std::unique(textures.begin(), textures.end()), textures.end()); // six distinct
}

} // namespace
