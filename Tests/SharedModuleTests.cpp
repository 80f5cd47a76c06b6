// The loader bar and the sky dome: their geometry, the parameters they hand their effects, the
// state they leave behind, and what they draw.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/ModuleHandler.h"
#include "Framework/SceneHandler.h"
#include "Modules/LoaderBar/LoaderBar.h"
#include "Modules/PostEffects/PostEffects.h"
#include "Modules/Skydome/Skydome.h"
#include "ScratchDataFile.h"

#include <cmath>
#include <fstream>
#include <iterator>
#include <optional>

namespace {

class SharedModuleTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        OpenFramework();
    }

    void TearDown() override {
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    // The bright pixels of the picture's middle row, where the bar lies.
    int LitPixelsAcrossTheBar() {
        const std::vector<std::uint32_t> pixels = ReadPixels(framework->backBufferSurface);
        const FrameworkSettings& settings = framework->settings;
        const std::uint32_t row = settings.screenHeight / 2;
        int lit = 0;
        for (std::uint32_t x = 0; x < settings.screenWidth; ++x)
            if (((pixels[row * settings.screenWidth + x] >> 8) & 0xFF) > 0x40) ++lit;
        return lit;
    }

    std::optional<ScratchDataFile> scratch;
};

TEST_F(SharedModuleTest, TheLoaderBarFillsWithTheTicksAndClampsThem) {
    LoaderBar bar("LoaderBar");
    bar.Load();
    int previous = -1;
    for (std::uint32_t ticks : {0u, 60u, 160u, 255u}) {
        bar.SetTicks(ticks);
        bar.Render();
        const int lit = LitPixelsAcrossTheBar();
        EXPECT_GT(lit, previous) << ticks;
        previous = lit;
    }
    bar.SetTicks(256);
    bar.Render();
    EXPECT_EQ(bar.Ticks(), 255u);
    EXPECT_EQ(LitPixelsAcrossTheBar(), previous);
    float ticks = 0.0f;
    ASSERT_EQ(bar.Batch()->Effect()->Effect()->GetFloat("Ticks", &ticks), D3D_OK);
    EXPECT_EQ(ticks, 255.0f);

    // It drew into the picture area of the back buffer: the letterbox bands stay black.
    const std::vector<std::uint32_t> pixels = ReadPixels(framework->backBufferSurface);
    EXPECT_EQ(pixels[5 * framework->settings.screenWidth + 640] & 0xFFFFFF, 0u);
    bar.Unload();
    EXPECT_EQ(bar.Batch(), nullptr);
}

TEST_F(SharedModuleTest, StepsDrawTheBarFromTheFirstItemAndSaturateAt160) {
    auto* bar = new LoaderBar("LoaderBar");
    ModuleHandler::Instance()->Add(bar);
    bar->Load();
    framework->resourcesLoaded = false;
    DXFramework::loadedItemCount = 0;
    EXPECT_EQ(bar->Ticks(), 0u); // nothing drawn before the first item
    framework->StepLoaderBar();
    EXPECT_EQ(bar->Ticks(), 1u);
    EXPECT_GT(LitPixelsAcrossTheBar(), 0);
    for (int item = 2; item <= 170; ++item)
        framework->StepLoaderBar();
    EXPECT_EQ(bar->Ticks(), 255u);
    framework->resourcesLoaded = true;
    framework->StepLoaderBar();
    EXPECT_EQ(DXFramework::loadedItemCount, 170u); // no more steps once loaded
}

// Each shared module steps the bar after its effect, and the sky dome after its dome as well.
TEST_F(SharedModuleTest, LoadingTheSharedModulesStepsTheBar) {
    auto* bar = new LoaderBar("LoaderBar");
    ModuleHandler::Instance()->Add(bar);
    bar->Load();
    framework->resourcesLoaded = false;
    DXFramework::loadedItemCount = 0;
    PostEffects postEffects("PostFX");
    postEffects.Load();
    EXPECT_EQ(DXFramework::loadedItemCount, 1u);
    Skydome skydome("Skydome");
    skydome.Load();
    EXPECT_EQ(DXFramework::loadedItemCount, 3u);
    EXPECT_EQ(bar->Ticks(), 4u); // trunc(3 x 1.6)
    EXPECT_GT(LitPixelsAcrossTheBar(), 0);
    skydome.Unload();
    postEffects.Unload();
    framework->resourcesLoaded = true;
}

TEST(SkydomeGeometry, FillsItsBufferAndClosesAtThePole) {
    const std::vector<Skydome::Vertex> vertices = Skydome::DomeVertices();
    ASSERT_EQ(vertices.size(), 15000u);
    EXPECT_EQ(vertices.size() * sizeof(Skydome::Vertex), 300000u);
    EXPECT_EQ(Skydome("Skydome").PrimitiveCount() * 3, vertices.size());
    const Skydome::Vertex& first = vertices[0]; // C(0, 0): on the horizon, u = 0
    EXPECT_FLOAT_EQ(first.x, 0.15f);
    EXPECT_FLOAT_EQ(first.y, 0.0f);
    EXPECT_FLOAT_EQ(first.v, 1.0f);
    // The top ring's upper corners collapse to the pole.
    const std::size_t topRing = 49 * 50 * 6;
    for (std::size_t cell = 0; cell < 50; ++cell) {
        for (std::size_t corner : {2u, 4u, 5u}) {
            const Skydome::Vertex& pole = vertices[topRing + cell * 6 + corner];
            EXPECT_EQ(pole.x, 0.0f);
            EXPECT_FLOAT_EQ(pole.y, 0.15f);
            EXPECT_EQ(pole.z, 0.0f);
            EXPECT_EQ(pole.v, 0.0f);
        }
    }
    for (const Skydome::Vertex& vertex : vertices)
        EXPECT_NEAR(std::sqrt(vertex.x * vertex.x + vertex.y * vertex.y + vertex.z * vertex.z),
                    0.15f, 1e-6f);
}

class SkyScene : public Scene {
public:
    SkyScene() : Scene("SkyScene") {}
    SharedParameters& Block() { return shared; }
};

TEST_F(SharedModuleTest, TheSkyIsDrawnOnTheFarPlaneAndTheViewportComesBack) {
    Skydome sky("Skydome");
    const D3DVIEWPORT9 before{10, 20, 300, 200, 0.25f, 0.75f};
    ASSERT_EQ(g_pd3dDevice->SetViewport(&before), D3D_OK);
    auto sameViewport = [&] {
        D3DVIEWPORT9 after{};
        g_pd3dDevice->GetViewport(&after);
        return after.X == before.X && after.Y == before.Y && after.Width == before.Width &&
               after.Height == before.Height && after.MinZ == before.MinZ &&
               after.MaxZ == before.MaxZ;
    };
    sky.Render(); // nothing loaded: no drawing, the viewport still comes back
    EXPECT_TRUE(sameViewport());

    sky.Load();
    auto* sceneOwned = new SkyScene;
    SkyScene& scene = *sceneOwned;
    SceneHandler::Instance()->AddScene(sceneOwned); // owned and current
    const D3DXVECTOR3 eye(0, 0, 0), at(0, 1, -1), up(0, 1, 0);
    D3DXMatrixPerspectiveFovRH(&scene.Block().cameraProjection, 1.2f, 16.0f / 9.0f, 0.01f, 10.0f);
    D3DXMATRIX view;
    D3DXMatrixLookAtRH(&view, &eye, &at, &up);
    D3DXMatrixTranspose(&scene.Block().cameraRotation, &view); // the camera's own rotation
    sky.Update();
    sky.SetFade(1.0f);
    ASSERT_EQ(
        g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0),
        D3D_OK);
    sky.Render();
    EXPECT_TRUE(sameViewport());

    // The picture, looking up at 45 degrees: the sky covers it, darker toward the zenith.
    const std::vector<std::uint32_t> pixels = ReadPixels(framework->backBufferSurface);
    const std::uint32_t width = framework->settings.screenWidth;
    const std::uint32_t top = pixels[(before.Y + 5) * width + before.X + 150];
    const std::uint32_t bottom = pixels[(before.Y + 195) * width + before.X + 150];
    EXPECT_NE(bottom, 0xFF000000u);
    EXPECT_LT(((top >> 16) & 0xFF) + ((top >> 8) & 0xFF),
              ((bottom >> 16) & 0xFF) + ((bottom >> 8) & 0xFF));
    // Outside the viewport nothing was drawn.
    EXPECT_EQ(pixels[5 * width + 5] & 0xFFFFFF, 0u);

    sky.SetFade(0.0f);
    sky.Render();
    EXPECT_EQ(ReadPixels(framework->backBufferSurface)[(before.Y + 100) * width + 160] & 0xFFFFFF,
              0u);
    sky.Unload();
}

} // namespace
