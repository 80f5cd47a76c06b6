// Text: colour packing, the default box, the layout of lines (breaks, word wrap, alignment),
// the substitute face, drawing into the back buffer whatever target was bound, font creation
// failures, and the device state a draw leaves.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/DXText.h"
#include "Framework/FrameworkEx.h"
#include "Platform/D3DX9/FontFace.h"
#include "Platform/D3DX9/TextLayout.h"
#include "ScratchDataFile.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <optional>
#include <string>

namespace {

TEST(DXTextColour, ComponentsAreClampedRoundedAndPackedAsARGB) {
    struct Case {
        float rgba[4];
        D3DCOLOR packed;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const Case cases[] = {
        {{1.5f, -0.2f, 0.5f, 1.0f}, 0xFFFF0080}, {{1.0f, 1.0f, 1.0f, 1.0f}, 0xFFFFFFFF},
        {{0.0f, 0.0f, 0.0f, 0.0f}, 0x00000000},  {{0.25f, 0.999f, 0.001f, 0.5f}, 0x8040FF00},
        {{0.1f, 0.2f, 0.3f, 0.4f}, 0x661A334D},  {{nan, 0.5f, nan, nan}, 0x00008000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DXText::PackColour(c.rgba), c.packed) << std::hex << c.packed;
}

// Every character advances 10 pixels; lines are 20 pixels apart.
class TextLayoutTest : public ::testing::Test {
protected:
    struct Line {
        int top;
        int x;
        std::string text;
    };
    // The characters drawn, as lines with their first pen position.
    static std::vector<Line> Lines(std::string_view text, RECT box, DWORD format) {
        const TextLayout layout([](std::uint32_t) { return 10; }, 20);
        std::vector<Line> lines;
        for (const PlacedCharacter& c : layout.Lay(text, box, format).characters) {
            if (lines.empty() || lines.back().top != c.lineTop) {
                lines.push_back({c.lineTop, c.x, ""});
            } else {
                const int gap =
                    (c.x - lines.back().x) / 10 - static_cast<int>(lines.back().text.size());
                lines.back().text.append(static_cast<std::size_t>(gap), ' ');
            }
            lines.back().text += static_cast<char>(c.codePoint);
        }
        return lines;
    }
};

TEST_F(TextLayoutTest, LinesBreakWrapAndAlign) {
    struct Case {
        const char* text;
        RECT box;
        DWORD format;
        std::vector<Line> lines;
    };
    const Case cases[] = {
        {"ab\ncd", {0, 0, 200, 100}, 0, {{0, 0, "ab"}, {20, 0, "cd"}}},
        {"ab\r\ncd\ref", {5, 7, 200, 100}, 0, {{7, 5, "ab"}, {27, 5, "cd"}, {47, 5, "ef"}}},
        {"ab\n\ncd", {0, 0, 200, 100}, 0, {{0, 0, "ab"}, {40, 0, "cd"}}},
        {"aaa bbb ccc", {0, 0, 75, 100}, DT_WORDBREAK, {{0, 0, "aaa bbb"}, {20, 0, "ccc"}}},
        {"aaa bbb ccc", {0, 0, 75, 100}, 0, {{0, 0, "aaa bbb ccc"}}},
        {"aaa  bbb", {0, 0, 50, 100}, DT_WORDBREAK, {{0, 0, "aaa"}, {20, 0, "bbb"}}},
        {"a verylongword b",
         {0, 0, 50, 100},
         DT_WORDBREAK,
         {{0, 0, "a"}, {20, 0, "verylongword"}, {40, 0, "b"}}},
        {"ab\ncde", {0, 0, 100, 100}, DT_RIGHT, {{0, 80, "ab"}, {20, 70, "cde"}}},
        {"ab\ncde", {0, 0, 100, 100}, DT_CENTER, {{0, 40, "ab"}, {20, 35, "cde"}}},
        {"ab\ncd", {0, 0, 100, 100}, DT_BOTTOM, {{60, 0, "ab"}, {80, 0, "cd"}}},
        {"ab", {0, 0, 100, 100}, DT_VCENTER, {{40, 0, "ab"}}},
        {"Score: 10\nLevel: 2",
         {0, 0, 1280, 64},
         DT_BOTTOM | DT_WORDBREAK,
         {{24, 0, "Score: 10"}, {44, 0, "Level: 2"}}},
        {"aaa bbb\nc",
         {0, 0, 35, 100},
         DT_BOTTOM | DT_WORDBREAK,
         {{40, 0, "aaa"}, {60, 0, "bbb"}, {80, 0, "c"}}},
    };
    for (const Case& c : cases) {
        const std::vector<Line> lines = Lines(c.text, c.box, c.format);
        ASSERT_EQ(lines.size(), c.lines.size()) << c.text;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].text, c.lines[i].text) << c.text;
            EXPECT_EQ(lines[i].top, c.lines[i].top) << c.text << " line " << i;
            EXPECT_EQ(lines[i].x, c.lines[i].x) << c.text << " line " << i;
        }
    }
}

TEST_F(TextLayoutTest, TheBlockHeightCountsEveryLine) {
    const TextLayout layout([](std::uint32_t) { return 10; }, 20);
    EXPECT_EQ(layout.Lay("a\nb\n", {0, 0, 100, 100}, 0).height, 60);
    EXPECT_EQ(layout.Lay("a\nb", {0, 0, 100, 100}, DT_SINGLELINE).height, 20);
}

D3DXFONT_DESCA Description(const char* face) {
    D3DXFONT_DESCA desc{};
    desc.Height = 20;
    desc.Weight = 256;
    std::strncpy(desc.FaceName, face, LF_FACESIZE - 1);
    return desc;
}

TEST(FontFaceChoice, AFaceTheSystemLacksGetsTheSansSerifSubstitute) {
    const std::unique_ptr<FontFace> missing = FontFace::Open(Description("verdena"));
    const std::unique_ptr<FontFace> sans = FontFace::Open(Description("sans-serif"));
    ASSERT_NE(missing, nullptr);
    ASSERT_NE(sans, nullptr);
    EXPECT_EQ(missing->File(), sans->File());
    EXPECT_FALSE(missing->Family().empty());
    EXPECT_EQ(missing->LineHeight(), 20);
    EXPECT_GT(missing->Ascent(), 10);
    const GlyphImage glyph = missing->Render('H');
    EXPECT_GT(glyph.width, 0);
    EXPECT_GT(glyph.advance, 0);
}

TEST(FontFaceChoice, AWidthStretchesTheGlyphs) {
    D3DXFONT_DESCA narrow = Description("sans-serif"), wide = narrow;
    narrow.Width = 5;
    wide.Width = 20;
    const auto narrowFace = FontFace::Open(narrow), wideFace = FontFace::Open(wide);
    ASSERT_NE(narrowFace, nullptr);
    ASSERT_NE(wideFace, nullptr);
    EXPECT_GT(wideFace->Render('m').advance, 3 * narrowFace->Render('m').advance);
}

// A framework with a 320 x 200 back buffer; the picture is 320 x 180.
class DXTextTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        FrameworkSettings settings;
        settings.screenWidth = kWidth;
        settings.screenHeight = kHeight;
        settings.pictureWidth = kWidth;
        settings.pictureHeight = 180;
        OpenFramework(settings);
        ClearBackBuffer();
    }

    void TearDown() override {
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    void ClearBackBuffer() {
        g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
        g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    }

    struct Ink {
        int left = kWidth, top = kHeight, right = -1, bottom = -1; // inclusive
        int bands = 0;                                             // runs of rows with ink
        int pixels = 0;
    };
    // Where the back buffer is not black.
    Ink InkOf(IDirect3DSurface9* surface) {
        const std::vector<std::uint32_t> pixels = ReadPixels(surface);
        Ink ink;
        bool previousRow = false;
        for (int y = 0; y < kHeight; ++y) {
            bool row = false;
            for (int x = 0; x < kWidth; ++x)
                if ((pixels[static_cast<std::size_t>(y) * kWidth + x] & 0xFFFFFF) != 0) {
                    row = true;
                    ++ink.pixels;
                    ink.left = std::min(ink.left, x);
                    ink.right = std::max(ink.right, x);
                    ink.top = std::min(ink.top, y);
                    ink.bottom = std::max(ink.bottom, y);
                }
            if (row && !previousRow) ++ink.bands;
            previousRow = row;
        }
        return ink;
    }

    static constexpr int kWidth = 320;
    static constexpr int kHeight = 200;
    std::optional<ScratchDataFile> scratch;
};

TEST_F(DXTextTest, ANewTextIsOpaqueWhiteInTheDefaultBox) {
    DXText text("verdena", 20, 0);
    ASSERT_NE(text.font, nullptr);
    for (const float component : text.colour)
        EXPECT_EQ(component, 1.0f);
    EXPECT_EQ(text.box.left, 18);
    EXPECT_EQ(text.box.top, (200 - 180) / 2 + 8);
    EXPECT_EQ(text.box.right, 320);
    EXPECT_EQ(text.box.bottom, 180);
    D3DXFONT_DESCA desc{};
    ASSERT_EQ(text.font->GetDescA(&desc), D3D_OK);
    EXPECT_EQ(desc.Height, 20);
    EXPECT_EQ(desc.Weight, 256u);
    EXPECT_STREQ(desc.FaceName, "verdena");
    text.Release();
    EXPECT_EQ(text.font, nullptr);
}

TEST_F(DXTextTest, ALongFaceNameIsCutToTheDescription) {
    const std::string name(100, 'x');
    DXText text(name.c_str(), 20, 0);
    D3DXFONT_DESCA desc{};
    ASSERT_NE(text.font, nullptr);
    text.font->GetDescA(&desc);
    EXPECT_EQ(std::string(desc.FaceName), name.substr(0, LF_FACESIZE - 1));
}

TEST_F(DXTextTest, ALineFeedDrawsTwoLinesAtTheBottomOfTheBox) {
    DXText text("verdena", 20, 0);
    text.box = {0, 10, 320, 150};
    text.Draw("Score: 10\nLevel: 2");
    const Ink ink = InkOf(framework->backBufferSurface);
    EXPECT_EQ(ink.bands, 2);
    EXPECT_GE(ink.top, 150 - 40);
    EXPECT_LE(ink.bottom, 149);
    EXPECT_GE(ink.bottom, 150 - 10); // the last line's baseline is near the bottom
    EXPECT_GE(ink.left, 0);
}

TEST_F(DXTextTest, LongLinesWrapAtWordsInsideTheBox) {
    DXText text("verdena", 16, 0);
    text.box = {40, 20, 140, 190};
    text.Draw("the quick brown fox jumps over the lazy dog");
    const Ink ink = InkOf(framework->backBufferSurface);
    EXPECT_GE(ink.bands, 3);
    EXPECT_GE(ink.left, 40);
    EXPECT_LT(ink.right, 140);
    EXPECT_LT(ink.bottom, 190);
    EXPECT_GE(ink.top, 20);
}

TEST_F(DXTextTest, TextLandsInTheBackBufferAfterAnOffScreenTargetWasBound) {
    IDirect3DTexture9* texture = nullptr;
    IDirect3DSurface9* offScreen = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateTexture(kWidth, kHeight, 1, D3DUSAGE_RENDERTARGET,
                                          D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &texture, nullptr),
              D3D_OK);
    texture->GetSurfaceLevel(0, &offScreen);
    g_pd3dDevice->SetRenderTarget(0, offScreen);
    g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);

    DXText text("verdena", 24, 0);
    text.colour[0] = 1.0f;
    text.colour[1] = 0.0f;
    text.colour[2] = 0.0f;
    text.Draw("HELLO");
    EXPECT_EQ(InkOf(offScreen).pixels, 0);
    const Ink ink = InkOf(framework->backBufferSurface);
    EXPECT_GT(ink.pixels, 50);
    // The ink is the text's colour, blended by coverage: red only, and bright where glyphs
    // cover whole pixels or nearly.
    std::uint32_t brightest = 0;
    for (const std::uint32_t pixel : ReadPixels(framework->backBufferSurface)) {
        EXPECT_EQ(pixel & 0xFFFF, 0u);
        brightest = std::max(brightest, (pixel >> 16) & 0xFF);
    }
    EXPECT_GE(brightest, 0xC0u);
    IDirect3DSurface9* bound = nullptr;
    g_pd3dDevice->GetRenderTarget(0, &bound);
    EXPECT_EQ(bound, framework->backBufferSurface);
    bound->Release();
    offScreen->Release();
    texture->Release();
}

TEST_F(DXTextTest, DrawingLeavesTheDeviceStatesAsTheyWere) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                          nullptr),
              D3D_OK);
    g_pd3dDevice->SetTexture(0, texture);
    g_pd3dDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    g_pd3dDevice->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR);
    DWORD blendBefore = 0, zBefore = 0;
    g_pd3dDevice->GetRenderState(D3DRS_ALPHABLENDENABLE, &blendBefore);
    g_pd3dDevice->GetRenderState(D3DRS_ZENABLE, &zBefore);

    DXText text("verdena", 20, 0);
    text.Draw("state");
    EXPECT_GT(InkOf(framework->backBufferSurface).pixels, 0);

    DWORD value = 0;
    g_pd3dDevice->GetRenderState(D3DRS_CULLMODE, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DCULL_CW));
    g_pd3dDevice->GetRenderState(D3DRS_ALPHABLENDENABLE, &value);
    EXPECT_EQ(value, blendBefore);
    g_pd3dDevice->GetRenderState(D3DRS_ZENABLE, &value);
    EXPECT_EQ(value, zBefore);
    g_pd3dDevice->GetSamplerState(0, D3DSAMP_MAGFILTER, &value);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_LINEAR));
    IDirect3DBaseTexture9* bound = nullptr;
    g_pd3dDevice->GetTexture(0, &bound);
    EXPECT_EQ(bound, texture);
    if (bound) bound->Release();
    g_pd3dDevice->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(DXTextTest, AFailedFontIsAGuardedCallOfLine19) {
    D3D9TestSeam::InjectResult("D3DXCreateFontIndirectA", E_OUTOFMEMORY);
    try {
        DXText text("verdena", 20, 0);
        ADD_FAILURE() << "no exception";
    } catch (const FrameworkEx& error) {
        EXPECT_EQ(error.Message(),
                  "Error: E_OUTOFMEMORY\n\n.\\Source\\Framework\\DXText\\DXText : 19");
    }

    D3D9TestSeam::InjectResult("D3DXCreateFontIndirectA", D3DERR_DEVICELOST);
    framework->deviceLost = false;
    DXText lost("verdena", 20, 0);
    EXPECT_TRUE(framework->deviceLost);
    EXPECT_EQ(lost.font, nullptr);
    lost.Draw("nothing");
    EXPECT_EQ(InkOf(framework->backBufferSurface).pixels, 0);
}

TEST_F(DXTextTest, TheFontRefusesMissingArgumentsAndSprites) {
    ID3DXFont* font = nullptr;
    EXPECT_EQ(D3DXCreateFont(nullptr, 20, 0, FW_NORMAL, 1, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             "verdena", &font),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(D3DXCreateFont(g_pd3dDevice, 20, 0, FW_NORMAL, 1, FALSE, DEFAULT_CHARSET, 0, 0, 0,
                             "verdena", &font),
              D3D_OK);
    RECT box{0, 0, 320, 200};
    EXPECT_EQ(font->DrawText(reinterpret_cast<ID3DXSprite*>(font), "x", -1, &box, 0, 0xFFFFFFFF),
              0);
    EXPECT_EQ(font->DrawText(nullptr, nullptr, -1, &box, 0, 0xFFFFFFFF), 0);
    EXPECT_EQ(InkOf(framework->backBufferSurface).pixels, 0);
    // A count draws only that many characters; the height is the lines'.
    EXPECT_EQ(font->DrawText(nullptr, "ab\ncd", 2, &box, 0, 0xFFFFFFFF), 20);
    EXPECT_EQ(InkOf(framework->backBufferSurface).bands, 1);
    font->Release();
}

} // namespace
