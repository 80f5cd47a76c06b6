// The post-processing module: what each operation sets on its effect, which techniques it draws
// into which targets in which order, what it leaves bound, and what its passes do to pixels.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/FrameworkEx.h"
#include "Framework/Noise.h"
#include "Framework/Timer.h"
#include "Modules/PostEffects/CantorDofSettings.h"
#include "Modules/PostEffects/PostEffects.h"
#include "Modules/PostEffects/PostEffectsTestSeam.h"
#include "ScratchDataFile.h"

#include <gmock/gmock.h>

#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::FloatEq;
using ::testing::Pointwise;

constexpr std::uint32_t kSize = 32;
constexpr std::uint32_t kHalf = 16;
const D3DVIEWPORT9 kCallerViewport{4, 6, 20, 16, 0.0f, 1.0f};
const D3DXVECTOR4 kWhite{1.0f, 1.0f, 1.0f, 1.0f};

int Red(std::uint32_t pixel) {
    return static_cast<int>((pixel >> 16) & 0xFF);
}
int Green(std::uint32_t pixel) {
    return static_cast<int>((pixel >> 8) & 0xFF);
}
int Blue(std::uint32_t pixel) {
    return static_cast<int>(pixel & 0xFF);
}

class PostEffectsTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        scratch.emplace();
        // Written, not mounted: the framework opens the data file itself.
        WriteDataFile(scratch->Directory(), entries);
        FrameworkSettings settings;
        settings.screenWidth = 160;
        settings.screenHeight = 100;
        settings.pictureWidth = 160;
        settings.pictureHeight = 90;
        OpenFramework(settings);
        post.Load();
        caller = &Target("C", D3DFMT_A8R8G8B8, kSize, kSize);
        source = &Target("S", D3DFMT_A8R8G8B8, kSize, kSize);
        a = &Target("A", D3DFMT_A8R8G8B8, kSize, kSize);
        b = &Target("B", D3DFMT_A8R8G8B8, kSize, kSize);
        BindCaller(kCallerViewport);
    }

    void TearDown() override {
        PostEffectsTestSeam::Clear();
        post.Unload();
        Timer::currentTime = 0.0;
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    // A new render target of the handler, known to the draw log by its name.
    const RTRecord& Target(const std::string& name, D3DFORMAT format, std::uint32_t width,
                           std::uint32_t height) {
        const RTRecord& record =
            RTHandler::Instance()->Get(RTHandler::Instance()->Request({format, width, height}));
        surfaceNames[record.surface] = name;
        textureNames[record.texture] = name;
        return record;
    }

    void BindCaller(const D3DVIEWPORT9& viewport) {
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, caller->surface), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetViewport(&viewport), D3D_OK);
    }

    // Clears the whole target, then the listed pixels to their own colours; leaves the caller
    // bound with its full viewport.
    void Paint(const RTRecord& target, D3DCOLOR background,
               const std::vector<std::pair<D3DRECT, D3DCOLOR>>& rects = {}) {
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target.surface), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, background, 1.0f, 0), D3D_OK);
        for (const auto& [rect, colour] : rects)
            ASSERT_EQ(g_pd3dDevice->Clear(1, &rect, D3DCLEAR_TARGET, colour, 1.0f, 0), D3D_OK);
        BindCaller({0, 0, kSize, kSize, 0.0f, 1.0f});
    }

    std::uint32_t Pixel(const RTRecord& target, std::uint32_t x, std::uint32_t y) {
        return ReadPixels(target.surface)[y * target.width + x];
    }

    std::vector<float> Floats(const char* semantic, UINT count) {
        std::vector<float> values(count, -99.0f);
        ID3DXEffect* effect = post.Quad()->Effect()->Effect();
        EXPECT_EQ(
            effect->GetFloatArray(post.Quad()->Effect()->GetHandle(semantic), values.data(), count),
            D3D_OK)
            << semantic;
        return values;
    }

    void SetFloats(const char* semantic, std::vector<float> values) {
        post.Quad()->Effect()->SetFloatArray(semantic, values.data(),
                                             static_cast<UINT>(values.size()));
    }

    std::string TextureName(const char* semantic) {
        IDirect3DBaseTexture9* texture = nullptr;
        ID3DXEffect* effect = post.Quad()->Effect()->Effect();
        EXPECT_EQ(effect->GetTexture(post.Quad()->Effect()->GetHandle(semantic), &texture), D3D_OK);
        if (texture == nullptr) return "none";
        texture->Release();
        return textureNames.contains(texture) ? textureNames[texture] : "unknown";
    }

    // Each recorded draw as "technique>target<COLTEX1".
    std::vector<std::string> DrawLog() {
        std::vector<std::string> log;
        for (const auto& draw : PostEffectsTestSeam::Draws())
            log.push_back(draw.technique + ">" + surfaceNames[draw.target] + "<" +
                          (draw.colourTexture ? textureNames[draw.colourTexture] : "none"));
        return log;
    }

    // The bound target's name and viewport.
    void ExpectBound(const std::string& name, const D3DVIEWPORT9& expected) {
        IDirect3DSurface9* bound = nullptr;
        ASSERT_EQ(g_pd3dDevice->GetRenderTarget(0, &bound), D3D_OK);
        bound->Release();
        EXPECT_EQ(surfaceNames[bound], name);
        D3DVIEWPORT9 viewport{};
        g_pd3dDevice->GetViewport(&viewport);
        EXPECT_EQ(viewport.X, expected.X);
        EXPECT_EQ(viewport.Y, expected.Y);
        EXPECT_EQ(viewport.Width, expected.Width);
        EXPECT_EQ(viewport.Height, expected.Height);
        EXPECT_EQ(viewport.MinZ, expected.MinZ);
        EXPECT_EQ(viewport.MaxZ, expected.MaxZ);
    }

    static D3DVIEWPORT9 Whole(std::uint32_t width, std::uint32_t height) {
        return {0, 0, width, height, 0.0f, 1.0f};
    }

    static std::vector<float> Inverse(float width, float height, float sign) {
        return {1.0f / width, sign / height};
    }

    std::optional<ScratchDataFile> scratch;
    PostEffects post{"PostFX"};
    std::map<IDirect3DSurface9*, std::string> surfaceNames;
    std::map<IDirect3DBaseTexture9*, std::string> textureNames;
    const RTRecord* caller = nullptr;
    const RTRecord* source = nullptr;
    const RTRecord* a = nullptr;
    const RTRecord* b = nullptr;
};

TEST_F(PostEffectsTest, LoadBuildsOneFullScreenQuadWithTheBlitSelectedAndUnloadDeletesIt) {
    ASSERT_NE(post.Quad(), nullptr);
    EXPECT_EQ(post.Quad()->Capacity(), 1u);
    EXPECT_TRUE(post.Quad()->Effect()->IsLoaded());
    EXPECT_EQ(post.Quad()->TechniqueName(), "BlitQuad");
    // The quad reaches every pixel: a fill covers the whole target.
    BindCaller(Whole(kSize, kSize));
    ASSERT_EQ(post.FillQuad({1.0f, 0.0f, 0.0f, 1.0f}), D3D_OK);
    for (std::uint32_t pixel : ReadPixels(caller->surface))
        ASSERT_EQ(pixel, 0xFFFF0000u);

    post.Unload();
    EXPECT_EQ(post.Quad(), nullptr);
    EXPECT_EQ(post.FillQuad(kWhite), E_FAIL);
    post.Load(); // loads again after an unload
    EXPECT_EQ(post.FillQuad(kWhite), D3D_OK);
}

TEST_F(PostEffectsTest, BindingATargetIsGuarded) {
    D3D9TestSeam::InjectResult("SetRenderTarget", D3DERR_INVALIDCALL);
    try {
        post.BlurLow(*a, *b, 1);
        ADD_FAILURE() << "no exception";
    } catch (const FrameworkEx& error) {
        EXPECT_THAT(error.Message(),
                    ::testing::StartsWith("Error: D3DERR_INVALIDCALL\n\n.\\Source\\"
                                          "Modules\\PostEffects\\PostEffects : "));
    }
    // A lost device only raises the flag.
    D3D9TestSeam::InjectResult("SetRenderTarget", D3DERR_DEVICELOST);
    EXPECT_NO_THROW(post.ExpBlur(*a, *b));
    EXPECT_TRUE(framework->deviceLost);
}

TEST_F(PostEffectsTest, LoadingOnALostDeviceLeavesTheQuadUnfilled) {
    post.Unload();
    D3D9TestSeam::InjectResult("CreateVertexBuffer", D3DERR_DEVICELOST);
    EXPECT_NO_THROW(post.Load());
    EXPECT_TRUE(framework->deviceLost);
    ASSERT_NE(post.Quad(), nullptr);
    EXPECT_EQ(post.Quad()->TechniqueName(), "BlitQuad");
}

TEST_F(PostEffectsTest, BlitFillAndFadeDrawOnceIntoTheBoundTargetWithTheirParameters) {
    PostEffectsTestSeam::RecordDraws();
    const D3DXVECTOR4 colour{0.1f, 0.2f, 0.3f, 0.4f};
    post.BlitQuad(*source, colour);
    EXPECT_THAT(Floats("VALUE1", 4), ElementsAre(0.1f, 0.2f, 0.3f, 0.4f));
    // Of the current viewport, not of the target.
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(20, 16, -1)));
    EXPECT_EQ(TextureName("COLTEX1"), "S");

    post.FillQuad({0.5f, 0.6f, 0.7f, 0.8f});
    EXPECT_THAT(Floats("VALUE1", 4), ElementsAre(0.5f, 0.6f, 0.7f, 0.8f));

    post.FadeToColor(*a, {0.0f, 0.0f, 0.0f, 0.25f});
    EXPECT_THAT(Floats("VALUE1", 4), ElementsAre(0.0f, 0.0f, 0.0f, 0.25f));
    EXPECT_EQ(TextureName("COLTEX1"), "A");

    EXPECT_THAT(DrawLog(), ElementsAre("BlitQuad>C<S", "FillQuad>C<S", "FadeToColor>C<A"));
    ExpectBound("C", kCallerViewport);
}

TEST_F(PostEffectsTest, BlitCopiesFillFillsAndFadeMovesTowardsTheColour) {
    Paint(*source, 0xFF204080, {{{0, 0, 16, 32}, 0xFFC0A060}});
    post.BlitQuad(*source, kWhite);
    EXPECT_EQ(ReadPixels(caller->surface), ReadPixels(source->surface));

    post.BlitQuad(*source, {0.5f, 1.0f, 1.0f, 1.0f}); // tinted
    EXPECT_NEAR(Red(Pixel(*caller, 4, 4)), 0xC0 / 2, 1);
    EXPECT_EQ(Green(Pixel(*caller, 4, 4)), 0xA0);

    post.FillQuad({0.0f, 1.0f, 0.0f, 1.0f});
    for (std::uint32_t pixel : ReadPixels(caller->surface))
        ASSERT_EQ(pixel, 0xFF00FF00u);

    struct Case {
        float amount;
        int left, right; // red of each half
    };
    for (const Case c : {Case{0.0f, 0xC0, 0x20}, Case{0.5f, 0x60, 0x10}, Case{1.0f, 0, 0}}) {
        post.FadeToColor(*source, {0.0f, 0.0f, 0.0f, c.amount});
        EXPECT_NEAR(Red(Pixel(*caller, 4, 20)), c.left, 1) << c.amount;
        EXPECT_NEAR(Red(Pixel(*caller, 28, 20)), c.right, 1) << c.amount;
    }
    post.FadeToColor(*source, {1.0f, 1.0f, 1.0f, 0.5f}); // towards white
    EXPECT_NEAR(Blue(Pixel(*caller, 28, 20)), (0x80 + 0xFF) / 2, 1);
}

TEST_F(PostEffectsTest, BlurLowPingPongsBetweenItsTargetsAndEndsInTheSecond) {
    PostEffectsTestSeam::RecordDraws();
    const RTRecord& wide = Target("W", D3DFMT_A8R8G8B8, 64, 16);
    post.BlurLow(wide, *b, 0);
    // Only the sizes, of the first target; nothing drawn or bound.
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(64, 16, -1)));
    EXPECT_THAT(Floats("TX1DIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(64, 16, 1)));
    EXPECT_TRUE(DrawLog().empty());
    ExpectBound("C", kCallerViewport);

    post.BlurLow(*a, *b, 2);
    EXPECT_THAT(DrawLog(),
                ElementsAre("BlurVLow>A<B", "BlurHLow>B<A", "BlurVLow>A<B", "BlurHLow>B<A"));
    EXPECT_THAT(Floats("TX1DIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(32, 32, 1)));
    ExpectBound("B", Whole(kSize, kSize));
}

TEST_F(PostEffectsTest, BlurLowSpreadsABrightPixelIntoItsNeighbours) {
    Paint(*b, 0xFF000000, {{{16, 16, 17, 17}, 0xFFFFFFFF}});
    post.BlurLow(*a, *b, 1);
    // The separable 1 4 6 4 1 kernel: 36/256 stays, 24/256 beside, 16/256 diagonal.
    EXPECT_NEAR(Red(Pixel(*b, 16, 16)), 36, 2);
    EXPECT_NEAR(Red(Pixel(*b, 17, 16)), 24, 2);
    EXPECT_NEAR(Red(Pixel(*b, 16, 15)), 24, 2);
    EXPECT_NEAR(Red(Pixel(*b, 17, 17)), 16, 2);
    EXPECT_EQ(Red(Pixel(*b, 19, 16)), 0);
    EXPECT_EQ(Red(Pixel(*b, 4, 4)), 0);
}

TEST_F(PostEffectsTest, GlowDrawsThirtyTwoQuadsAndLeavesTheCallersTargetAndViewport) {
    const RTRecord& half = Target("H", D3DFMT_A8R8G8B8, kHalf, kHalf);
    const RTRecord& temp = Target("T", D3DFMT_A8R8G8B8, kHalf, kHalf);
    PostEffectsTestSeam::RecordDraws();
    IDirect3DQuery9* query = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateQuery(D3DQUERYTYPE_OCCLUSION, &query), D3D_OK);
    query->Issue(D3DISSUE_BEGIN);
    post.GlowUFO(*source, half, temp, 0.3f);
    query->Issue(D3DISSUE_END);
    DWORD samples = 0;
    while (query->GetData(&samples, sizeof(samples), D3DGETDATA_FLUSH) == S_FALSE) {
    }
    query->Release();
    // 31 quads of 16 x 16 and the combine into the caller's 20 x 16 viewport.
    EXPECT_EQ(samples, 31u * kHalf * kHalf + 20u * 16u);

    std::vector<std::string> expected{"DownSample>H<S"};
    for (int pass = 0; pass < 15; ++pass) {
        expected.push_back("BlurV>T<H");
        expected.push_back("BlurH>H<T");
    }
    expected.push_back("CombineUFO>C<S");
    EXPECT_THAT(DrawLog(), ElementsAreArray(expected));
    EXPECT_EQ(TextureName("COLTEX2"), "H");
    EXPECT_THAT(Floats("NOISEINTENSITY", 1), ElementsAre(0.3f));
    EXPECT_THAT(Floats("TX1DIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(16, 16, 1)));
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(16, 16, -1)));
    ExpectBound("C", kCallerViewport);
}

TEST_F(PostEffectsTest, GlowAddsABlurredHaloAroundBrightAreas) {
    const RTRecord& half = Target("H", D3DFMT_A8R8G8B8, kHalf, kHalf);
    const RTRecord& temp = Target("T", D3DFMT_A8R8G8B8, kHalf, kHalf);
    Paint(*source, 0xFF000000, {{{12, 12, 20, 20}, 0xFFFFFFFF}});
    post.GlowUFO(*source, half, temp, 0.0f);
    EXPECT_EQ(Pixel(*caller, 15, 15), 0xFFFFFFFFu);
    const int nearby = Red(Pixel(*caller, 22, 16)), farther = Red(Pixel(*caller, 30, 16));
    EXPECT_GT(nearby, 8);
    EXPECT_GT(nearby, farther);
}

TEST_F(PostEffectsTest, TunnelAndHumanoidCombinesSetTheirNoiseAndKeepTheTarget) {
    PostEffectsTestSeam::RecordDraws();
    const RTRecord& wide = Target("W", D3DFMT_A8R8G8B8, 64, 16);
    Timer::currentTime = 101.25;
    post.CombineTunnel(wide);
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(64, 16, -1)));
    EXPECT_THAT(Floats("NOISEINTENSITY", 1), ElementsAre(0.028f));
    EXPECT_THAT(Floats("TIMENOISE", 1), ElementsAre(101.25f));
    ExpectBound("C", kCallerViewport);

    post.CombineHumanoid(*source, 0.226f);
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(32, 32, -1)));
    EXPECT_THAT(Floats("NOISEINTENSITY", 1), ElementsAre(0.226f));
    EXPECT_THAT(Floats("CONTRAST", 4), ElementsAre(-0.6f, 0.9f, 0.7f, 1.0f));
    EXPECT_THAT(DrawLog(), ElementsAre("CombineTunnel>C<W", "CombineHumanoid>C<S"));
    ExpectBound("C", kCallerViewport);
}

TEST_F(PostEffectsTest, CombinesGradeThePictureAndAddMovingFilmNoise) {
    Paint(*source, 0xFF404040);
    post.CombineHumanoid(*source, 0.0f);
    // The contrast curve at 0.25: -0.6 y^3 + 0.9 y^2 + 0.7 y = 0.2219, unchanged in the middle.
    EXPECT_NEAR(Red(Pixel(*caller, 16, 16)), 57, 2);
    EXPECT_LT(Red(Pixel(*caller, 0, 0)), Red(Pixel(*caller, 16, 16))); // the vignette

    Timer::currentTime = 100.0;
    post.CombineTunnel(*source);
    const std::vector<std::uint32_t> first = ReadPixels(caller->surface);
    EXPECT_NEAR(Red(first[16 * kSize + 16]), 0x40, 12);
    Timer::currentTime = 100.04;
    post.CombineTunnel(*source);
    EXPECT_NE(ReadPixels(caller->surface), first); // the grain moves with the time
}

TEST_F(PostEffectsTest, ExpBlurTakesThePictureSizeAndLeavesTheDestinationBound) {
    PostEffectsTestSeam::RecordDraws();
    const RTRecord& shadow = Target("Shadow1", D3DFMT_R32F, 1024, 1024);
    const RTRecord& blurred = Target("Shadow2", D3DFMT_R32F, 1024, 1024);
    post.ExpBlur(shadow, blurred);
    EXPECT_THAT(Floats("TX1DIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(1024, 1024, 1)));
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(160, 90, -1)));
    EXPECT_EQ(TextureName("VECTEX1"), "Shadow1");
    ASSERT_EQ(PostEffectsTestSeam::Draws().size(), 1u);
    EXPECT_EQ(PostEffectsTestSeam::Draws()[0].technique, "ExpBlur");
    ExpectBound("Shadow2", Whole(1024, 1024));
}

TEST_F(PostEffectsTest, ExpBlurSpreadsAFarDepthExponentially) {
    const RTRecord& shadow = Target("Shadow1", D3DFMT_R32F, kSize, kSize);
    const RTRecord& blurred = Target("Shadow2", D3DFMT_R32F, kSize, kSize);
    Paint(shadow, 0x00000000, {{{16, 16, 17, 17}, 0xFFFFFFFF}});
    post.ExpBlur(shadow, blurred);
    // centre + log(sum of weights x exp(30 (d - centre))) / 30 over the 5 x 5 binomial:
    // a neighbour holding the far depth with weight w of 256 gives about 1 + log(w / 256) / 30.
    EXPECT_NEAR(Red(Pixel(blurred, 16, 16)), 238, 2); // 1 + log(36 / 256) / 30
    EXPECT_NEAR(Red(Pixel(blurred, 17, 16)), 235, 2); // w 24
    EXPECT_NEAR(Red(Pixel(blurred, 18, 16)), 223, 2); // w 6
    EXPECT_NEAR(Red(Pixel(blurred, 18, 18)), 208, 2); // w 1
    EXPECT_EQ(Red(Pixel(blurred, 19, 16)), 0);        // outside the kernel
}

TEST_F(PostEffectsTest, MotionBlurReadsTheColourAndVectorsInOneDraw) {
    PostEffectsTestSeam::RecordDraws();
    const RTRecord& vectors = Target("V", D3DFMT_G32R32F, kSize, kSize);
    post.MotionBlur(*source, vectors);
    EXPECT_THAT(Floats("VALUE1", 4), ElementsAre(1.0f, 1.0f, 1.0f, 1.0f));
    EXPECT_THAT(Floats("RTDIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(20, 16, -1)));
    EXPECT_EQ(TextureName("VECTEX1"), "V");
    EXPECT_THAT(DrawLog(), ElementsAre("MotionBlur>C<S"));
    ExpectBound("C", kCallerViewport);
}

TEST_F(PostEffectsTest, MotionBlurSmearsAlongTheVectorsOnly) {
    const RTRecord& vectors = Target("V", D3DFMT_G32R32F, kSize, kSize);
    Paint(*source, 0xFF000000, {{{16, 0, 17, 32}, 0xFFFFFFFF}}); // a vertical line
    Paint(vectors, 0x00000000);
    post.MotionBlur(*source, vectors);
    EXPECT_EQ(Red(Pixel(*caller, 16, 8)), 255);
    EXPECT_EQ(Red(Pixel(*caller, 18, 8)), 0);

    Paint(vectors, 0x00400000); // u moves by 0.25: four pixels each way
    post.MotionBlur(*source, vectors);
    EXPECT_LT(Red(Pixel(*caller, 16, 8)), 128);
    EXPECT_GT(Red(Pixel(*caller, 18, 8)), 0);
    EXPECT_GT(Red(Pixel(*caller, 14, 8)), 0);
    EXPECT_EQ(Red(Pixel(*caller, 24, 8)), 0);
}

TEST_F(PostEffectsTest, SaturateCopiesBlursThreeTimesAndPulsesItsAmount) {
    PostEffectsTestSeam::RecordDraws();
    Timer::currentTime = 212.3;
    post.Saturate(*a, *b, *source, 0.8f);
    EXPECT_THAT(DrawLog(),
                ElementsAre("BlitQuad>B<S", "BlurVLow>A<B", "BlurHLow>B<A", "BlurVLow>A<B",
                            "BlurHLow>B<A", "BlurVLow>A<B", "BlurHLow>B<A", "Saturate>C<B"));
    const float t = 212.3f;
    const float v = (1.0f + 0.25f * PerlinNoise1D(8.0f * t, 2.0f, 2.0f, 5)) * 0.8f;
    EXPECT_THAT(Floats("VALUE1", 4), ElementsAre(v, v, v, v));
    EXPECT_EQ(TextureName("COLTEX2"), "S");
    EXPECT_EQ(TextureName("COLTEX1"), "B");
    EXPECT_THAT(Floats("TX1DIMPIXELINV", 2), Pointwise(FloatEq(), Inverse(32, 32, 1)));
    ExpectBound("C", kCallerViewport);
}

TEST_F(PostEffectsTest, SaturateWithoutAmountKeepsThePictureAndWithOnePushesColours) {
    Paint(*source, 0xFF806060);
    post.Saturate(*a, *b, *source, 0.0f);
    EXPECT_EQ(Pixel(*caller, 16, 16), 0xFF806060u);
    post.Saturate(*a, *b, *source, 0.5f);
    const std::uint32_t pushed = Pixel(*caller, 16, 16);
    // Brighter by the glow, and further from grey.
    EXPECT_GT(Green(pushed), 0x60);
    EXPECT_GT(Red(pushed) - Green(pushed), 0x80 - 0x60);
}

TEST_F(PostEffectsTest, DofQuadBlursOnceAndSetsItsContrastCurve) {
    PostEffectsTestSeam::RecordDraws();
    const RTRecord& depth = Target("D", D3DFMT_R32F, kSize, kSize);
    post.DofQuad(depth, *a, *b, *source, 0.05f, 0.25f);
    EXPECT_THAT(DrawLog(),
                ElementsAre("BlitQuad>B<S", "BlurVLow>A<B", "BlurHLow>B<A", "DofQuad>C<B"));
    EXPECT_THAT(Floats("NOISEINTENSITY", 1), ElementsAre(0.05f));
    EXPECT_THAT(Floats("CONTRAST", 4),
                Pointwise(FloatEq(), std::vector{-0.5f, 0.75f, 0.75f, 1.0f}));
    EXPECT_EQ(TextureName("COLTEX3"), "D");
    EXPECT_EQ(TextureName("COLTEX2"), "S");
    EXPECT_EQ(TextureName("COLTEX1"), "B");
    ExpectBound("C", kCallerViewport);
}

TEST_F(PostEffectsTest, DofQuadBlursWhereTheDepthTargetSaysSo) {
    const RTRecord& depth = Target("D", D3DFMT_R32F, kSize, kSize);
    Paint(*source, 0xFF000000, {{{8, 8, 9, 9}, 0xFFFFFFFF}, {{24, 24, 25, 25}, 0xFFFFFFFF}});
    // Sharp in the top half, blurred in the bottom half.
    Paint(depth, 0x00000000, {{{0, 16, 32, 32}, 0xFFFFFFFF}});
    post.DofQuad(depth, *a, *b, *source, 0.0f, 0.0f);
    EXPECT_EQ(Red(Pixel(*caller, 8, 8)), 255);
    EXPECT_EQ(Red(Pixel(*caller, 9, 8)), 0);
    EXPECT_NEAR(Red(Pixel(*caller, 24, 24)), 36, 2);
    EXPECT_NEAR(Red(Pixel(*caller, 25, 24)), 24, 2);
}

struct CantorCase {
    float t;
    const char* technique;
    float p0, p1, p2;
    bool coloursSet;
    std::vector<float> colour1, colour2;
};

const std::vector<CantorCase>& CantorCases() {
    const std::vector<float> white{1.0f, 1.0f, 1.0f};
    const float g273 = 2.5f * 0.66666f;
    static const std::vector<CantorCase> cases{
        {230.0f, "Cantor_DofQuad", 0.12f, 0.03f, 0.0f, false, white, white},
        // ((0.05 x 10)^2 x 0.3) = 0.075 flashes the blur; the focus moves in.
        {240.05f, "Cantor_DofQuad", 0.05f, 0.03f + 0.075f * 0.075f * 0.7f, 0.0f, false, white,
         white},
        // ((243.1 - 241.6) x 0.3333)^2 x 0.3 = 0.074985.
        {241.6f, "Cantor_DofQuad", 0.05f, 0.03f + 0.074985f * 0.074985f * 0.7f, 0.0f, false, white,
         white},
        // The focus is 0.05 up to 245, then moves back over a second.
        {244.5f, "Cantor_DofQuad", 0.05f, 0.03f, 0.0f, false, white, white},
        {245.5f, "Cantor_DofQuad", 0.1025f, 0.03f, 0.0f, false, white, white},
        // The rise from 247.9 starts at 247.8: ((247.85 - 247.9) x 10)^2 x 0.6 = 0.15.
        {247.85f, "Cantor_DofQuad", 0.12f, 0.03f + 0.15f * 0.15f * 0.7f, 0.0f, false, white, white},
        {249.5f, "Cantor_DofQuad", 0.12f, 0.03f + 0.14997f * 0.14997f * 0.7f, 0.0f, false, white,
         white},
        {256.0f, "Cantor_DofQuad", 0.12f, 0.03f + 0.8f * 0.8f * 0.7f, 0.0f, false, white, white},
        {256.5f, "Cantor_DofQuad", 0.12f, 0.03f + 0.25f * 0.7f, 0.0f, false, white, white},
        {258.0f, "Cantor_DofQuad", 0.12f, 0.055f, 0.0f, false, white, white},
        {270.5f,
         "Cantor_DofQuadExplosion",
         0.12f,
         0.055f,
         0.0f,
         true,
         {1.125f, 1.15f, 1.225f},
         {1.15f, 1.05f, 1.175f}},
        {271.5f,
         "Cantor_DofQuadExplosion",
         0.12f,
         0.055f + 0.66666f * 0.66666f * 0.3f,
         0.66666f * 0.66666f * 0.66666f * 0.66666f * 0.66666f * 0.9f,
         true,
         {1.275f, 1.2f, 1.4f},
         {1.05f, 2.05f, 0.675f}},
        {272.5f, "Cantor_DofQuadExplosion", 0.12f, 0.055f + 1.33332f * 1.33332f * 0.3f,
         1.33332f * 1.33332f * 1.33332f * 1.33332f * 1.33332f * 0.9f, true, white, white},
        {273.0f, "Cantor_DofQuadExplosion", 0.12f, 0.055f + g273 * g273 * 0.3f,
         g273 * g273 * g273 * g273 * g273 * 0.9f, true, white, white},
    };
    return cases;
}

TEST(CantorDofSettings, FocusFlashesAndExplosionFollowTheDemoTime) {
    for (const CantorCase& c : CantorCases()) {
        SCOPED_TRACE(c.t);
        const CantorDofSettings settings = CantorDofSettingsAt(c.t);
        EXPECT_STREQ(settings.technique, c.technique);
        EXPECT_NEAR(settings.parameters[0], c.p0, 1e-6f);
        EXPECT_NEAR(settings.parameters[1], c.p1, 5e-5f);
        EXPECT_NEAR(settings.parameters[2], c.p2, 1e-4f);
        EXPECT_EQ(settings.coloursSet, c.coloursSet);
        for (int i = 0; i < 3; ++i) {
            EXPECT_NEAR(settings.colour1[i], c.colour1[i], 1e-5f) << i;
            EXPECT_NEAR(settings.colour2[i], c.colour2[i], 1e-5f) << i;
        }
    }
    // Before the explosion's terms: the same focus, the blur without the explosion's growth.
    const CantorDofSettings late = CantorDofSettingsAt(272.5f);
    EXPECT_FLOAT_EQ(late.focusAndBlur[0], 0.12f);
    EXPECT_FLOAT_EQ(late.focusAndBlur[1], 0.055f);
}

TEST_F(PostEffectsTest, CantorDofBlursTwiceAndSetsItsTimedParameters) {
    const RTRecord& depth = Target("D", D3DFMT_G32R32F, kSize, kSize);
    for (const CantorCase& c : CantorCases()) {
        SCOPED_TRACE(c.t);
        PostEffectsTestSeam::Clear();
        PostEffectsTestSeam::RecordDraws();
        SetFloats("COLOR1", {5.0f, 5.0f, 5.0f});
        SetFloats("COLOR2", {6.0f, 6.0f, 6.0f});
        Timer::currentTime = c.t;
        post.CantorDof(depth, *a, *b, *source);
        EXPECT_THAT(DrawLog(),
                    ElementsAre("BlitQuad>B<S", "BlurVLow>A<B", "BlurHLow>B<A", "BlurVLow>A<B",
                                "BlurHLow>B<A", std::string(c.technique) + ">C<B"));
        const std::vector<float> parameters = Floats("CANTORDOFPARAMETERS", 3);
        EXPECT_NEAR(parameters[0], c.p0, 1e-6f);
        EXPECT_NEAR(parameters[1], c.p1, 5e-5f);
        EXPECT_NEAR(parameters[2], c.p2, 1e-4f);
        // Untouched before the explosion.
        const std::vector<float> colour1 = c.coloursSet ? c.colour1 : std::vector{5.f, 5.f, 5.f};
        const std::vector<float> colour2 = c.coloursSet ? c.colour2 : std::vector{6.f, 6.f, 6.f};
        EXPECT_THAT(Floats("COLOR1", 3), Pointwise(::testing::FloatNear(1e-5f), colour1));
        EXPECT_THAT(Floats("COLOR2", 3), Pointwise(::testing::FloatNear(1e-5f), colour2));
        EXPECT_EQ(TextureName("COLTEX3"), "D");
        EXPECT_EQ(TextureName("COLTEX2"), "S");
        EXPECT_EQ(TextureName("COLTEX1"), "B");
        ExpectBound("C", kCallerViewport);
    }
}

TEST_F(PostEffectsTest, CantorDofKeepsTheFocusSharpAndTheExplosionBurnsOut) {
    const RTRecord& depth = Target("D", D3DFMT_G32R32F, kSize, kSize);
    Paint(*source, 0xFF000000, {{{8, 8, 9, 9}, 0xFFFFFFFF}, {{24, 24, 25, 25}, 0xFFFFFFFF}});
    // In focus (0.12) in the top half, far (1.0) in the bottom half.
    Paint(depth, 0xFF1F0000, {{{0, 16, 32, 32}, 0xFFFFFFFF}});
    Timer::currentTime = 230.0;
    post.CantorDof(depth, *a, *b, *source);
    EXPECT_GT(Red(Pixel(*caller, 8, 8)), 240);
    EXPECT_LT(Red(Pixel(*caller, 9, 8)), 3);
    EXPECT_LT(Red(Pixel(*caller, 24, 24)), 80);
    EXPECT_GT(Red(Pixel(*caller, 25, 24)), 10);

    Paint(*source, 0xFF404040);
    post.CantorDof(depth, *a, *b, *source);
    const int before = Red(Pixel(*caller, 4, 4));
    Timer::currentTime = 272.9;
    post.CantorDof(depth, *a, *b, *source);
    EXPECT_GT(Red(Pixel(*caller, 4, 4)), before + 100);
}

} // namespace
