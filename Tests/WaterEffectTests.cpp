// The water and tunnel effects drawn on the device: the height stamps and blurs, the normal
// maps, the lit water's fades, the tunnel's fade and fog, the cube's placement, and the
// techniques and inputs the water module relies on.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/RenderClasses/Quads.h"
#include "Framework/RenderTargetResources/RTHandler.h"
#include "ScratchDataFile.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

constexpr std::uint32_t kSize = 512;
constexpr float kQuarterTurn = 1.5707964f;

int Red(std::uint32_t pixel) {
    return static_cast<int>((pixel >> 16) & 0xFF);
}
int Green(std::uint32_t pixel) {
    return static_cast<int>((pixel >> 8) & 0xFF);
}
int Blue(std::uint32_t pixel) {
    return static_cast<int>(pixel & 0xFF);
}
int Brightness(std::uint32_t pixel) {
    return Red(pixel) + Green(pixel) + Blue(pixel);
}
// The height targets' encoding: red + green / 255.
double Height(std::uint32_t pixel) {
    return Red(pixel) / 255.0 + Green(pixel) / (255.0 * 255.0);
}
D3DCOLOR HeightColour(int red) {
    return D3DCOLOR_ARGB(255, red, 0, 0);
}

class WaterEffectTest : public DeviceFixture {
protected:
    void SetUp() override {
        scratch.emplace();
        WriteDataFile(scratch->Directory(), BuildContentEntries());
        OpenFramework();
        SetTime(10.0f);
    }

    void TearDown() override {
        batches.clear();
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    // A batch of the effect, its first quad covering the whole target in clip space.
    Quads& Batch(const std::string& effect, std::uint32_t quads = 1) {
        batches.push_back(std::make_unique<Quads>(quads));
        Quads& batch = *batches.back();
        batch.LoadEffect(effect, framework->effectPool);
        batch.Init();
        PlaceQuad(batch, 0, {-1.0f, 1.0f, 0.0f}, {1.0f, -1.0f, 0.0f});
        return batch;
    }

    // Quad index spans the corners top-left .. bottom-right, in one plane of constant z.
    static void PlaceQuad(Quads& batch, std::uint32_t index, D3DXVECTOR3 topLeft,
                          D3DXVECTOR3 bottomRight) {
        D3DXVECTOR3* positions = batch.LockPositions();
        positions[4 * index + 0] = topLeft;
        positions[4 * index + 1] = {bottomRight.x, topLeft.y, topLeft.z};
        positions[4 * index + 2] = bottomRight;
        positions[4 * index + 3] = {topLeft.x, bottomRight.y, topLeft.z};
        batch.UnlockPositions();
    }

    // Blob quads of the given half-size around clip-space centres, their texture coordinates
    // the blob-local corners and their colours the module's.
    static void PlaceBlobs(Quads& batch, const std::vector<D3DXVECTOR2>& centres, float half) {
        D3DXVECTOR3* positions = batch.LockPositions();
        D3DXVECTOR2* local = batch.LockTexCoords();
        for (std::uint32_t i = 0; i < centres.size(); ++i) {
            const D3DXVECTOR2 c = centres[i];
            positions[4 * i + 0] = {c.x - half, c.y + half, 0.0f};
            positions[4 * i + 1] = {c.x + half, c.y + half, 0.0f};
            positions[4 * i + 2] = {c.x + half, c.y - half, 0.0f};
            positions[4 * i + 3] = {c.x - half, c.y - half, 0.0f};
            local[4 * i + 0] = {-1.0f, -1.0f};
            local[4 * i + 1] = {1.0f, -1.0f};
            local[4 * i + 2] = {1.0f, 1.0f};
            local[4 * i + 3] = {-1.0f, 1.0f};
        }
        batch.UnlockTexCoords();
        batch.UnlockPositions();
        D3DCOLOR* colours = batch.LockColours();
        for (std::uint32_t corner = 0; corner < 4 * batch.Capacity(); ++corner)
            colours[corner] = 0xFF0000FF;
        batch.UnlockColours();
    }

    const RTRecord& Target() {
        return RTHandler::Instance()->Get(
            RTHandler::Instance()->Request({D3DFMT_A8R8G8B8, kSize, kSize}));
    }

    // Binds the target with its whole viewport, cleared to the colour, the listed rectangles
    // to their own colours.
    static void Paint(const RTRecord& target, D3DCOLOR background,
                      const std::vector<std::pair<D3DRECT, D3DCOLOR>>& rects = {}) {
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target.surface), D3D_OK);
        const D3DVIEWPORT9 whole{0, 0, kSize, kSize, 0.0f, 1.0f};
        ASSERT_EQ(g_pd3dDevice->SetViewport(&whole), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, background,
                                      1.0f, 0),
                  D3D_OK);
        for (const auto& [rect, colour] : rects)
            ASSERT_EQ(g_pd3dDevice->Clear(1, &rect, D3DCLEAR_TARGET, colour, 1.0f, 0), D3D_OK);
    }

    // Heights rising along x (or down the rows) by `step` red levels a pixel over the first
    // 256 pixels, flat after.
    static void PaintRamp(const RTRecord& target, bool alongRows, double step) {
        std::vector<std::pair<D3DRECT, D3DCOLOR>> lines;
        for (LONG i = 0; i < 256; ++i) {
            const D3DRECT line =
                alongRows ? D3DRECT{i, 0, i + 1, LONG(kSize)} : D3DRECT{0, i, LONG(kSize), i + 1};
            lines.push_back({line, HeightColour(static_cast<int>(std::lround(i * step)))});
        }
        Paint(target, HeightColour(static_cast<int>(std::lround(255 * step))), lines);
    }

    static std::uint32_t Pixel(const std::vector<std::uint32_t>& pixels, std::uint32_t x,
                               std::uint32_t y) {
        return pixels[y * kSize + x];
    }

    void SetTime(float time) { framework->globalEffect->SetFloat("TIME", time); }

    void SetCamera(D3DXVECTOR3 eye, D3DXVECTOR3 at) {
        const D3DXVECTOR3 up(0.0f, 1.0f, 0.0f);
        D3DXMATRIX view, projection, viewProjection;
        D3DXMatrixLookAtRH(&view, &eye, &at, &up);
        D3DXMatrixPerspectiveFovRH(&projection, kQuarterTurn, 1.0f, 0.05f, 20.0f);
        D3DXMatrixMultiply(&viewProjection, &view, &projection);
        framework->globalEffect->SetMatrix("VIEWPROJ", viewProjection);
        framework->globalEffect->SetVector3("EYEPOS", &eye.x);
    }

    // The tunnel's fixed camera, for which the world quad -1..1 fills the target.
    void SetTextureCamera() { SetCamera({0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.0f}); }

    std::optional<ScratchDataFile> scratch;
    std::vector<std::unique_ptr<Quads>> batches;
};

struct EffectInterface {
    const char* effect;
    std::vector<const char*> techniques;
    std::vector<const char*> semantics;
};

TEST_F(WaterEffectTest, EveryTechniqueAndInputTheModuleUsesExistsAndDraws) {
    const std::vector<EffectInterface> interfaces{
        {"WaterNormals.fx",
         {"techniqueWaterBackground", "techniqueWaterAddBlob", "techniqueWaterBlurVertical",
          "techniqueWaterBlurHorizontal", "techniqueWaterGenerateNormals"},
         {"UV1", "UV2", "UV3", "BEAT", "TIME", "NOISETEX", "TX0", "TX1"}},
        {"Water.fx",
         {"WaterOpaque", "WaterBlend"},
         {"VIEWPROJ", "TIME", "FADE1", "FADE2", "COLORS", "CONTRAST", "TX0", "TX1"}},
        {"TunnelWaterNormals.fx",
         {"techniqueTunnelWaterInitialComp", "techniqueTunnelBlurVertical",
          "techniqueTunnelBlurHorizontal", "techniqueTunnelGenerateNormals"},
         {"VIEWPROJ", "TIME", "SCALE", "TX0", "TX1"}},
        {"TunnelWater.fx", {"techniqueTunnelWaterFinalComp"}, {"VIEWPROJ", "TX0", "TX1"}},
        {"Tunnel.fx",
         {"techniqueTunnel", "techniqueTunnel2"},
         {"VIEWPROJ", "TX0", "SCROLLUV", "FOGFADE", "FOGFADEWATER", "FOGCOLOR", "CONTRAST",
          "FADE"}},
        {"WaterCube.fx", {"Cube"}, {"WORLD", "VIEWPROJ", "EYEPOS", "FOG", "FOGCOLOR", "TX0"}},
    };
    const RTRecord& target = Target();
    for (const EffectInterface& face : interfaces) {
        SCOPED_TRACE(face.effect);
        Quads& batch = Batch(face.effect);
        ID3DXEffect* effect = batch.Effect()->Effect();
        for (const char* semantic : face.semantics)
            EXPECT_NE(effect->GetParameterBySemantic(nullptr, semantic), nullptr) << semantic;
        for (const char* technique : face.techniques) {
            EXPECT_NE(effect->GetTechniqueByName(technique), nullptr) << technique;
            Paint(target, 0xFF000000);
            batch.SetTechnique(technique);
            EXPECT_EQ(batch.DrawAll(), D3D_OK) << technique;
        }
    }
}

TEST_F(WaterEffectTest, ABlobStampAddsADomeThatFadesToNothingAtItsQuadsEdge) {
    Quads& normals = Batch("WaterNormals.fx");
    Quads blobs(2);
    blobs.SetEffect(normals.Effect());
    blobs.Init();
    blobs.SetTechnique("techniqueWaterAddBlob");
    const RTRecord& target = Target();
    // Half-size 0.25 in clip space: 64 pixels, centred on pixel 256 of both axes.
    PlaceBlobs(blobs, {{0.0f, 0.0f}, {0.125f, 0.0f}}, 0.25f);

    const D3DCOLOR base = D3DCOLOR_ARGB(255, 40, 100, 0);
    Paint(target, base);
    ASSERT_EQ(blobs.Draw(0, 1), D3D_OK);
    const std::vector<std::uint32_t> one = ReadPixels(target.surface);
    const int peak = Red(Pixel(one, 256, 256)) - 40;
    EXPECT_GE(peak, 4);  // raised in the middle ...
    EXPECT_LE(peak, 16); // ... modestly, so that hundreds can overlap
    EXPECT_GT(Red(Pixel(one, 256, 256)), Red(Pixel(one, 256 + 32, 256)));
    EXPECT_GT(Red(Pixel(one, 256 + 32, 256)), 40);
    // Nothing at the quad's edge or outside it; the fraction channel untouched.
    for (const auto& [x, y] : {std::pair{256u + 63u, 256u},
                               {256u, 256u - 63u},
                               {256u + 63u, 256u + 63u},
                               {256u + 80u, 256u},
                               {40u, 40u}})
        EXPECT_EQ(Pixel(one, x, y), base) << x << "," << y;
    EXPECT_EQ(Green(Pixel(one, 256, 256)), 100);

    // Two stamps add where they overlap.
    Paint(target, base);
    ASSERT_EQ(blobs.Draw(1, 1), D3D_OK);
    const std::vector<std::uint32_t> other = ReadPixels(target.surface);
    Paint(target, base);
    ASSERT_EQ(blobs.Draw(0, 2), D3D_OK);
    const std::vector<std::uint32_t> both = ReadPixels(target.surface);
    for (std::uint32_t x : {240u, 256u, 272u, 288u, 300u}) {
        const int sum = Red(Pixel(one, x, 256)) + Red(Pixel(other, x, 256)) - 40;
        EXPECT_NEAR(Red(Pixel(both, x, 256)), sum, 1) << x;
    }
}

TEST_F(WaterEffectTest, ThreeHundredBlobsAlongAStrokeStayBelowSaturationAndRounded) {
    Quads& normals = Batch("WaterNormals.fx");
    Quads blobs(300);
    blobs.SetEffect(normals.Effect());
    blobs.Init();
    blobs.SetTechnique("techniqueWaterAddBlob");
    std::vector<D3DXVECTOR2> stroke;
    for (int i = 0; i < 300; ++i)
        stroke.push_back({-0.8f + 1.6f * static_cast<float>(i) / 299.0f, 0.0f});
    PlaceBlobs(blobs, stroke, 0.12f);
    const RTRecord& target = Target();
    Paint(target, HeightColour(51)); // the background's mean height, 0.2
    ASSERT_EQ(blobs.DrawAll(), D3D_OK);
    const std::vector<std::uint32_t> pixels = ReadPixels(target.surface);
    const int middle = Red(Pixel(pixels, 256, 256));
    EXPECT_LT(middle, 250);
    EXPECT_GT(middle, 51 + 60);
    // Across the stroke the height falls away smoothly from its middle line.
    EXPECT_GT(middle, Red(Pixel(pixels, 256, 256 + 12)));
    EXPECT_GT(Red(Pixel(pixels, 256, 256 + 12)), Red(Pixel(pixels, 256, 256 + 24)));
    EXPECT_GT(Red(Pixel(pixels, 256, 256 + 24)), 51);
}

struct BlurCase {
    const char* effect;
    const char* technique;
    const char* input; // the texture semantic it reads
    bool horizontal;
    bool wraps;
};

TEST_F(WaterEffectTest, BlursSpreadALineAlongTheirAxisOnlyAndKeepItsHeight) {
    const std::vector<BlurCase> cases{
        {"WaterNormals.fx", "techniqueWaterBlurVertical", "TX0", false, false},
        {"WaterNormals.fx", "techniqueWaterBlurHorizontal", "TX1", true, false},
        {"TunnelWaterNormals.fx", "techniqueTunnelBlurVertical", "TX0", false, true},
        {"TunnelWaterNormals.fx", "techniqueTunnelBlurHorizontal", "TX1", true, true},
    };
    SetTextureCamera();
    const RTRecord& source = Target();
    const RTRecord& blurred = Target();
    // Pixel `along` of the blur's axis at `across` of the other.
    auto at = [](const BlurCase& c, const std::vector<std::uint32_t>& pixels, std::uint32_t along,
                 std::uint32_t across) {
        return c.horizontal ? Pixel(pixels, along, across) : Pixel(pixels, across, along);
    };
    auto lineAcross = [](const BlurCase& c, LONG along) {
        return c.horizontal ? D3DRECT{along, 0, along + 1, LONG(kSize)}
                            : D3DRECT{0, along, LONG(kSize), along + 1};
    };
    for (const BlurCase& c : cases) {
        SCOPED_TRACE(c.technique);
        Quads& batch = Batch(c.effect);
        batch.SetTechnique(c.technique);
        batch.Effect()->SetTexture(c.input, source.texture);

        // A line of height 0.5 across the axis spreads along it, the total height kept.
        Paint(source, 0xFF000000, {{lineAcross(c, 256), HeightColour(128)}});
        Paint(blurred, 0xFF000000);
        ASSERT_EQ(batch.DrawAll(), D3D_OK);
        std::vector<std::uint32_t> pixels = ReadPixels(blurred.surface);
        EXPECT_LT(Red(at(c, pixels, 256, 100)), 128);
        EXPECT_GT(Red(at(c, pixels, 256, 100)), Red(at(c, pixels, 258, 100)));
        EXPECT_GT(Height(at(c, pixels, 258, 100)), 0.01);
        EXPECT_EQ(at(c, pixels, 256 + 24, 100), 0xFF000000u);
        double total = 0.0;
        for (std::uint32_t along = 256 - 20; along <= 256 + 20; ++along)
            total += Height(at(c, pixels, along, 100));
        EXPECT_NEAR(total, 128.0 / 255.0, 0.005);

        // A line along the axis stays as it is.
        const D3DRECT alongAxis =
            c.horizontal ? D3DRECT{0, 256, LONG(kSize), 257} : D3DRECT{256, 0, 257, LONG(kSize)};
        Paint(source, 0xFF000000, {{alongAxis, HeightColour(128)}});
        Paint(blurred, 0xFF000000);
        ASSERT_EQ(batch.DrawAll(), D3D_OK);
        pixels = ReadPixels(blurred.surface);
        EXPECT_NEAR(Height(at(c, pixels, 100, 256)), 128.0 / 255.0, 0.002);
        EXPECT_EQ(at(c, pixels, 100, 257), 0xFF000000u);

        // At the first texel: the tunnel's texture wraps round to the last, the water's does not.
        Paint(source, 0xFF000000, {{lineAcross(c, 0), HeightColour(128)}});
        Paint(blurred, 0xFF000000);
        ASSERT_EQ(batch.DrawAll(), D3D_OK);
        pixels = ReadPixels(blurred.surface);
        EXPECT_EQ(Height(at(c, pixels, kSize - 1, 100)) > 0.01, c.wraps);
    }
}

struct NormalCase {
    const char* effect;
    const char* technique;
    bool alongRows; // the height rises to the right, else down the picture
    double step;    // red levels a pixel
};

TEST_F(WaterEffectTest, NormalsAreFlatOnFlatHeightAndTiltAwayFromTheRise) {
    const std::vector<NormalCase> cases{
        {"WaterNormals.fx", "techniqueWaterGenerateNormals", true, 0.5},
        {"WaterNormals.fx", "techniqueWaterGenerateNormals", false, 0.5},
        {"TunnelWaterNormals.fx", "techniqueTunnelGenerateNormals", true, 0.5},
        {"TunnelWaterNormals.fx", "techniqueTunnelGenerateNormals", false, 0.5},
    };
    SetTextureCamera();
    const RTRecord& heights = Target();
    const RTRecord& normals = Target();
    for (const NormalCase& c : cases) {
        SCOPED_TRACE(std::string(c.technique) + (c.alongRows ? " rising right" : " rising down"));
        Quads& batch = Batch(c.effect);
        batch.SetTechnique(c.technique);
        batch.Effect()->SetTexture("TX0", heights.texture);

        Paint(heights, D3DCOLOR_ARGB(255, 90, 17, 0));
        Paint(normals, 0xFF000000);
        ASSERT_EQ(batch.DrawAll(), D3D_OK);
        const std::uint32_t flat = Pixel(ReadPixels(normals.surface), 200, 300);
        EXPECT_NEAR(Red(flat), 128, 1);
        EXPECT_NEAR(Green(flat), 128, 1);
        EXPECT_EQ(Blue(flat), 255);

        // On a slope the normal leans away from the rise: left for heights rising to the
        // right, up (green above the middle, y up) for heights rising down the picture; a
        // slope twice as steep leans it further.
        int leans[2] = {};
        for (int steep = 0; steep < 2; ++steep) {
            PaintRamp(heights, c.alongRows, c.step * (1 + steep));
            Paint(normals, 0xFF000000);
            ASSERT_EQ(batch.DrawAll(), D3D_OK);
            const std::uint32_t pixel = Pixel(ReadPixels(normals.surface), 128, 128);
            const int lean = c.alongRows ? 128 - Red(pixel) : Green(pixel) - 128;
            EXPECT_NEAR(c.alongRows ? Green(pixel) : Red(pixel), 128, 1);
            EXPECT_GT(Blue(pixel), 240); // a lean, not a fall
            leans[steep] = lean;
        }
        EXPECT_GE(leans[0], 2);
        EXPECT_GT(leans[1], leans[0] + 1);
    }
}

class LitWaterTest : public WaterEffectTest {
protected:
    void SetUp() override {
        WaterEffectTest::SetUp();
        heights = &Target();
        scratchHeights = &Target();
        normals = &Target();
        picture = &Target();
        // Flat water of height 0.2 with one vertical stroke of blobs down the middle.
        Quads& normalsBatch = Batch("WaterNormals.fx");
        Quads& blobs = Batch("WaterNormals.fx", 100);
        std::vector<D3DXVECTOR2> stroke;
        for (int i = 0; i < 100; ++i)
            stroke.push_back({0.0f, -0.7f + 1.4f * static_cast<float>(i) / 99.0f});
        PlaceBlobs(blobs, stroke, 0.12f);
        Paint(*heights, HeightColour(51));
        blobs.SetTechnique("techniqueWaterAddBlob");
        ASSERT_EQ(blobs.DrawAll(), D3D_OK);
        Paint(*scratchHeights, 0xFF000000);
        normalsBatch.SetTechnique("techniqueWaterBlurVertical");
        normalsBatch.Effect()->SetTexture("TX0", heights->texture);
        ASSERT_EQ(normalsBatch.DrawAll(), D3D_OK);
        Paint(*heights, 0xFF000000);
        normalsBatch.SetTechnique("techniqueWaterBlurHorizontal");
        normalsBatch.Effect()->SetTexture("TX1", scratchHeights->texture);
        ASSERT_EQ(normalsBatch.DrawAll(), D3D_OK);
        Paint(*normals, 0xFF000000);
        normalsBatch.SetTechnique("techniqueWaterGenerateNormals");
        normalsBatch.Effect()->SetTexture("TX0", heights->texture);
        ASSERT_EQ(normalsBatch.DrawAll(), D3D_OK);

        // The water quad seen straight on from 0.9 in front: it fills the target.
        water = &Batch("Water.fx");
        PlaceQuad(*water, 0, {-1.15f, 1.0f, 0.0f}, {1.15f, -1.0f, 0.0f});
        SetCamera({0.0f, 0.0f, 0.9f}, {0.0f, 0.0f, 0.0f});
        water->Effect()->SetTexture("TX0", heights->texture);
        water->Effect()->SetTexture("TX1", normals->texture);
        const float identity[4] = {0.0f, 0.0f, 1.0f, 0.0f};
        water->Effect()->SetVector4("CONTRAST", identity);
        const float white[3] = {1.0f, 1.0f, 1.0f};
        water->Effect()->SetVector3("COLORS", white);
        water->Effect()->SetFloat("FADE1", 1.0f);
    }

    std::vector<std::uint32_t> Draw(const char* technique, float fade2 = 1.0f) {
        Paint(*picture, 0xFF000000);
        water->SetTechnique(technique);
        water->Effect()->SetFloat("FADE2", fade2);
        EXPECT_EQ(water->DrawAll(), D3D_OK);
        return ReadPixels(picture->surface);
    }

    const RTRecord* heights = nullptr;
    const RTRecord* scratchHeights = nullptr;
    const RTRecord* normals = nullptr;
    const RTRecord* picture = nullptr;
    Quads* water = nullptr;
};

TEST_F(LitWaterTest, OpaqueWaterFillsThePictureAndTheStrokeCatchesTheLight) {
    const std::vector<std::uint32_t> pixels = Draw("WaterOpaque");
    for (std::uint32_t y = 8; y < kSize; y += 62)
        for (std::uint32_t x = 8; x < kSize; x += 62)
            EXPECT_GT(Brightness(Pixel(pixels, x, y)), 8) << x << "," << y;
    // Across the stroke's middle row: its slopes light up against the flat water beside it.
    int brightest = 0;
    for (std::uint32_t x = 256 - 40; x <= 256 + 40; ++x)
        brightest = std::max(brightest, Brightness(Pixel(pixels, x, 256)));
    const int flat = Brightness(Pixel(pixels, 156, 256));
    EXPECT_GT(brightest, 2 * flat);
}

TEST_F(LitWaterTest, BlendedWaterFadesWithFade2OverTheBlackPicture) {
    const std::vector<std::uint32_t> opaque = Draw("WaterOpaque");
    struct Case {
        float fade2;
        double fraction;
        bool black;
    };
    for (const Case c : {Case{0.0f, 0.0, true}, Case{0.5f, 0.5, false}, Case{1.0f, 1.0, false}}) {
        SCOPED_TRACE(c.fade2);
        const std::vector<std::uint32_t> blended = Draw("WaterBlend", c.fade2);
        for (std::uint32_t x : {40u, 250u, 256u, 262u, 470u}) {
            EXPECT_NEAR(Red(Pixel(blended, x, 256)), Red(Pixel(opaque, x, 256)) * c.fraction, 1);
            EXPECT_NEAR(Blue(Pixel(blended, x, 256)), Blue(Pixel(opaque, x, 256)) * c.fraction, 1);
        }
        if (c.black) {
            for (std::uint32_t pixel : blended)
                ASSERT_EQ(pixel & 0xFFFFFF, 0u);
        }
    }
}

TEST_F(LitWaterTest, TheFadeInOverBrightensAndTheColoursTint) {
    const std::uint32_t plain = Pixel(Draw("WaterOpaque"), 40, 256);
    water->Effect()->SetFloat("FADE1", 1.5f);
    const std::uint32_t bright = Pixel(Draw("WaterOpaque"), 40, 256);
    EXPECT_GT(Blue(bright), Blue(plain));
    EXPECT_GT(Green(bright), Green(plain));

    water->Effect()->SetFloat("FADE1", 1.0f);
    const float blue[3] = {1.0f, 1.0f, 2.0f};
    water->Effect()->SetVector3("COLORS", blue);
    const std::uint32_t tinted = Pixel(Draw("WaterOpaque"), 40, 256);
    EXPECT_NEAR(Red(tinted), Red(plain), 1);
    EXPECT_GT(Blue(tinted), Blue(plain) + 10);

    // Smoothstep darkens the dark water.
    const float smoothstep[4] = {-2.0f, 3.0f, 0.0f, 0.0f};
    const float white[3] = {1.0f, 1.0f, 1.0f};
    water->Effect()->SetVector3("COLORS", white);
    water->Effect()->SetVector4("CONTRAST", smoothstep);
    EXPECT_LT(Blue(Pixel(Draw("WaterOpaque"), 40, 256)), Blue(plain));
}

TEST_F(WaterEffectTest, TheTunnelWallTextureTilesAndCarriesTheHeightInAlpha) {
    SetTextureCamera();
    const RTRecord& heights = Target();
    const RTRecord& scratchHeights = Target();
    const RTRecord& normals = Target();
    const RTRecord& wall = Target();
    Quads& liquid = Batch("TunnelWaterNormals.fx");
    Quads& composite = Batch("TunnelWater.fx");
    liquid.Effect()->SetFloat("SCALE", 1.0f);
    auto pass = [&](Quads& batch, const char* technique, const RTRecord& into) {
        Paint(into, 0xFF000000);
        batch.SetTechnique(technique);
        ASSERT_EQ(batch.DrawAll(), D3D_OK);
    };
    pass(liquid, "techniqueTunnelWaterInitialComp", heights);
    liquid.Effect()->SetTexture("TX0", heights.texture);
    liquid.Effect()->SetTexture("TX1", scratchHeights.texture);
    pass(liquid, "techniqueTunnelBlurVertical", scratchHeights);
    pass(liquid, "techniqueTunnelBlurHorizontal", heights);
    pass(liquid, "techniqueTunnelGenerateNormals", normals);
    composite.Effect()->SetTexture("TX0", heights.texture);
    composite.Effect()->SetTexture("TX1", normals.texture);
    pass(composite, "techniqueTunnelWaterFinalComp", wall);

    const std::vector<std::uint32_t> height = ReadPixels(heights.surface);
    const std::vector<std::uint32_t> colour = ReadPixels(wall.surface);
    // The last column meets the first as smoothly as any two neighbours do, and so do the
    // last and first rows.
    double seam = 0.0, inside = 0.0;
    for (std::uint32_t i = 0; i < kSize; ++i) {
        seam += std::abs(Height(Pixel(height, kSize - 1, i)) - Height(Pixel(height, 0, i)));
        seam += std::abs(Height(Pixel(height, i, kSize - 1)) - Height(Pixel(height, i, 0)));
        inside += std::abs(Height(Pixel(height, 255, i)) - Height(Pixel(height, 256, i)));
        inside += std::abs(Height(Pixel(height, i, 255)) - Height(Pixel(height, i, 256)));
    }
    EXPECT_LT(seam, 2.0 * inside + 0.05);
    // Not flat: the liquid has waves, and the lit colour varies with them.
    int darkest = 255 * 3, brightest = 0;
    for (std::uint32_t pixel : colour) {
        darkest = std::min(darkest, Brightness(pixel));
        brightest = std::max(brightest, Brightness(pixel));
    }
    EXPECT_GT(brightest - darkest, 150);
    for (std::uint32_t at : {0u, 1000u, 77777u, 200000u})
        EXPECT_NEAR(static_cast<int>(colour[at] >> 24), Red(height[at]), 1);
}

struct TunnelCase {
    const char* technique;
    float z; // the wall patch's plane; the camera at z 0.3 looks down -z
    float fogFade;
    float fade;
    enum class Seen { black, fog, lit } seen;
};

TEST_F(WaterEffectTest, TheTunnelFadesFromBlackAndFogsItsFarEnd) {
    const std::vector<TunnelCase> cases{
        {"techniqueTunnel", -0.7f, 0.0f, 0.0f, TunnelCase::Seen::black},
        {"techniqueTunnel2", -0.7f, 0.0f, 0.0f, TunnelCase::Seen::black},
        {"techniqueTunnel", -8.7f, 1.0f, 0.0f, TunnelCase::Seen::black},
        {"techniqueTunnel", -8.7f, 1.0f, 1.0f, TunnelCase::Seen::fog},
        {"techniqueTunnel2", -8.7f, 1.0f, 1.0f, TunnelCase::Seen::fog},
        {"techniqueTunnel", -0.7f, 1.0f, 1.0f, TunnelCase::Seen::lit},
        {"techniqueTunnel2", -0.7f, 1.0f, 1.0f, TunnelCase::Seen::lit},
        {"techniqueTunnel", -8.7f, 0.0f, 1.0f, TunnelCase::Seen::lit},
    };
    const RTRecord& wall = Target();
    Paint(wall, 0xC04080C0);
    const RTRecord& picture = Target();
    Quads& tunnel = Batch("Tunnel.fx");
    D3DCOLOR* colours = tunnel.LockColours();
    for (int corner = 0; corner < 4; ++corner)
        colours[corner] = D3DCOLOR_ARGB(255, 145, 145, 145);
    tunnel.UnlockColours();
    D3DXVECTOR3* normals = tunnel.LockNormals();
    for (int corner = 0; corner < 4; ++corner)
        normals[corner] = {0.0f, 0.0f, 1.0f};
    tunnel.UnlockNormals();
    SetCamera({0.0f, 0.0f, 0.3f}, {0.0f, 0.0f, -1.0f});
    tunnel.Effect()->SetTexture("TX0", wall.texture);
    const float fogColour[3] = {0.2f, 0.4f, 0.6f};
    tunnel.Effect()->SetVector3("FOGCOLOR", fogColour);
    tunnel.Effect()->SetFloat("FOGFADEWATER", 1.0f);
    const float identity[4] = {0.0f, 0.0f, 1.0f, 0.0f};
    tunnel.Effect()->SetVector4("CONTRAST", identity);
    for (const TunnelCase& c : cases) {
        SCOPED_TRACE(std::string(c.technique) + " at " + std::to_string(c.z) + " fog " +
                     std::to_string(c.fogFade) + " fade " + std::to_string(c.fade));
        const float reach = 0.3f - c.z; // wide enough to fill the 90 degree view
        PlaceQuad(tunnel, 0, {-reach, reach, c.z}, {reach, -reach, c.z});
        tunnel.Effect()->SetFloat("FOGFADE", c.fogFade);
        tunnel.Effect()->SetFloat("FADE", c.fade);
        tunnel.SetTechnique(c.technique);
        Paint(picture, 0xFF000000);
        ASSERT_EQ(tunnel.DrawAll(), D3D_OK);
        const std::uint32_t pixel = Pixel(ReadPixels(picture.surface), 128, 256);
        if (c.seen == TunnelCase::Seen::black) {
            EXPECT_EQ(pixel & 0xFFFFFF, 0u);
        } else if (c.seen == TunnelCase::Seen::fog) {
            EXPECT_NEAR(Red(pixel), 51, 2);
            EXPECT_NEAR(Green(pixel), 102, 2);
            EXPECT_NEAR(Blue(pixel), 153, 2);
        } else {
            EXPECT_GT(Brightness(pixel), 30);
            EXPECT_GT(Blue(pixel), Red(pixel)); // the blue liquid shows
            EXPECT_GT(std::abs(Red(pixel) - 51) + std::abs(Blue(pixel) - 153), 20);
        }
    }
}

TEST_F(WaterEffectTest, TheCubeStandsWhereItsWorldMatrixPutsItAndFogsOver) {
    const RTRecord& wall = Target();
    Paint(wall, 0xFF4080C0);
    const RTRecord& picture = Target();
    // A square facing the camera, its normal toward it.
    Quads& cube = Batch("WaterCube.fx");
    PlaceQuad(cube, 0, {-1.0f, 1.0f, 1.0f}, {1.0f, -1.0f, 1.0f});
    D3DXVECTOR3* normals = cube.LockNormals();
    for (int corner = 0; corner < 4; ++corner)
        normals[corner] = {0.0f, 0.0f, 1.0f};
    cube.UnlockNormals();
    SetCamera({0.0f, 0.0f, 0.3f}, {0.0f, 0.0f, -1.0f});
    cube.Effect()->SetTexture("TX0", wall.texture);
    const float fogColour[3] = {0.0f, 1.0f, 0.0f};
    cube.Effect()->SetVector3("FOGCOLOR", fogColour);
    cube.SetTechnique("Cube");
    // Scaled to 0.2 and moved right of the axis: the square stands at z -1.4, 1.7 in front of
    // the camera.
    D3DXMATRIX scale, move, world;
    D3DXMatrixScaling(&scale, 0.2f, 0.2f, 0.2f);
    D3DXMatrixTranslation(&move, 0.6f, 0.0f, -1.6f);
    D3DXMatrixMultiply(&world, &scale, &move);
    cube.Effect()->SetMatrix("WORLD", world);

    struct Case {
        float fog;
        bool fogged;
    };
    for (const Case c : {Case{0.0f, false}, Case{1.0f, true}}) {
        SCOPED_TRACE(c.fog);
        cube.Effect()->SetFloat("FOG", c.fog);
        Paint(picture, 0xFF000000);
        ASSERT_EQ(cube.DrawAll(), D3D_OK);
        const std::vector<std::uint32_t> pixels = ReadPixels(picture.surface);
        // 0.6 right at 1.7 deep in a 90 degree view: pixel 256 + 256 x 0.6 / 1.7 = 346.
        const std::uint32_t centre = Pixel(pixels, 346, 256);
        EXPECT_EQ(Pixel(pixels, 160, 256) & 0xFFFFFF, 0u);
        EXPECT_EQ(Pixel(pixels, 346, 210) & 0xFFFFFF, 0u); // 0.2 tall: 30 pixels each way
        if (c.fogged) {
            EXPECT_EQ(centre & 0xFFFFFF, 0x00FF00u);
        } else {
            EXPECT_GT(Brightness(centre), 60);
            EXPECT_LT(Green(centre), 250);
        }
    }
}

} // namespace
