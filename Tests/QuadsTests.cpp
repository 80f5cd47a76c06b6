// Quad and sprite batches: draw ranges, the prepared streams, drawing with and without an
// effect, effect ownership, and sprite corners.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/FrameworkEx.h"
#include "Framework/RenderClasses/Sprites.h"
#include "ScratchDataFile.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr const char* kQuadEffect = R"(
float4 Tint : TINT = {1, 0, 0, 1};
vertex QuadVS(float3 pos : POSITION, out float4 position : POSITION) {
    position = vec4(pos, 1.0);
}
fragment TintPS(out float4 colour : COLOR0) { colour = Tint; }
technique Tint {
    pass P0 { CullMode = None; VertexShader = QuadVS; PixelShader = TintPS; }
}
technique TwoPasses {
    pass P0 { CullMode = None; AlphaBlendEnable = true; SrcBlend = One; DestBlend = One;
              VertexShader = QuadVS; PixelShader = TintPS; }
    pass P1 { CullMode = None; AlphaBlendEnable = true; SrcBlend = One; DestBlend = One;
              VertexShader = QuadVS; PixelShader = TintPS; }
}
)";

class QuadsTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        entries["OShaders\\QuadTest.fxo"] = kQuadEffect;
        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        OpenFramework();
        ASSERT_EQ(g_pd3dDevice->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET,
                                              D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &targetTexture,
                                              nullptr),
                  D3D_OK);
        ASSERT_EQ(targetTexture->GetSurfaceLevel(0, &target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
        g_pd3dDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    }

    void TearDown() override {
        g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
        target->Release();
        targetTexture->Release();
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    // Quad i of the batch covers column i of four equal columns of the target.
    static void PlaceInColumns(Quads& quads) {
        D3DXVECTOR3* positions = quads.LockPositions();
        for (std::uint32_t quad = 0; quad < quads.Capacity(); ++quad) {
            const float left = -1.0f + 0.5f * static_cast<float>(quad), right = left + 0.5f;
            positions[4 * quad + 0] = {left, 1.0f, 0.5f};
            positions[4 * quad + 1] = {right, 1.0f, 0.5f};
            positions[4 * quad + 2] = {right, -1.0f, 0.5f};
            positions[4 * quad + 3] = {left, -1.0f, 0.5f};
        }
        quads.UnlockPositions();
    }

    // The colour in the middle of column 0..3.
    std::uint32_t Column(int column) {
        return ReadPixels(target)[(kSize / 2) * kSize + column * (kSize / 4) + kSize / 8];
    }

    static constexpr int kSize = 32;
    std::optional<ScratchDataFile> scratch;
    IDirect3DTexture9* targetTexture = nullptr;
    IDirect3DSurface9* target = nullptr;
};

TEST_F(QuadsTest, DrawRangesOutsideTheBatchFailAndDrawNothing) {
    Quads quads(4);
    quads.Init();
    PlaceInColumns(quads);
    struct Case {
        std::uint32_t first, count;
        HRESULT result;
    };
    for (const Case c : {Case{4, 0, E_FAIL}, Case{2, 3, E_FAIL}, Case{5, 1, E_FAIL}}) {
        EXPECT_EQ(quads.Draw(c.first, c.count), c.result) << c.first << ", " << c.count;
        for (int column = 0; column < 4; ++column)
            EXPECT_EQ(Column(column), 0xFF000000u);
    }
    EXPECT_EQ(quads.Draw(1, 3), D3D_OK);
    EXPECT_EQ(Column(0), 0xFF000000u);
    for (int column = 1; column < 4; ++column)
        EXPECT_EQ(Column(column), 0xFFFFFFFFu) << column;
}

TEST_F(QuadsTest, AFreshBatchDrawsWhiteWholeTexturedQuads) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                          nullptr),
              D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const std::uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    for (int row = 0; row < 2; ++row)
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + row * locked.Pitch, texels + 2 * row,
                    8);
    texture->UnlockRect(0);
    g_pd3dDevice->SetTexture(0, texture);

    Quads quads(1);
    quads.Init();
    D3DXVECTOR3* positions = quads.LockPositions(1);
    positions[0] = {0.0f, 1.0f, 0.5f}; // the right half of the target
    positions[1] = {1.0f, 1.0f, 0.5f};
    positions[2] = {1.0f, -1.0f, 0.5f};
    positions[3] = {0.0f, -1.0f, 0.5f};
    quads.UnlockPositions();
    ASSERT_EQ(quads.DrawAll(), D3D_OK);
    const std::vector<std::uint32_t> pixels = ReadPixels(target);
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * kSize + x]; };
    EXPECT_EQ(at(8, 8), 0xFF000000u);
    EXPECT_EQ(at(20, 4), texels[0]);
    EXPECT_EQ(at(28, 4), texels[1]);
    EXPECT_EQ(at(20, 28), texels[2]);
    EXPECT_EQ(at(28, 28), texels[3]);
    g_pd3dDevice->SetTexture(0, nullptr);
    texture->Release();
}

TEST_F(QuadsTest, EveryPassOfTheEffectDrawsTheRangeOnce) {
    Quads quads(4);
    quads.LoadEffect("QuadTest.fx", nullptr);
    quads.Init();
    PlaceInColumns(quads);
    quads.SetTechnique("TwoPasses");
    EXPECT_EQ(quads.Effect()->TechniqueName(), "TwoPasses");
    const float quarter[4] = {0.25f, 0.25f, 0.25f, 1.0f};
    quads.Effect()->SetVector4("TINT", quarter);
    ASSERT_EQ(quads.Draw(0, 2), D3D_OK);
    EXPECT_NEAR(static_cast<int>((Column(0) >> 16) & 0xFF), 128, 1);
    EXPECT_EQ(Column(2), 0xFF000000u);
    // The effect put the device's blend state back.
    DWORD blend = TRUE;
    g_pd3dDevice->GetRenderState(D3DRS_ALPHABLENDENABLE, &blend);
    EXPECT_EQ(blend, static_cast<DWORD>(FALSE));
}

TEST_F(QuadsTest, ASecondEffectIsRefusedAndABorrowedOneOutlivesTheBatch) {
    DXEffect shared;
    shared.LoadEffect("QuadTest.fx", nullptr);
    {
        Quads quads(1);
        quads.SetEffect(&shared);
        try {
            quads.LoadEffect("QuadTest.fx", nullptr);
            ADD_FAILURE() << "no exception";
        } catch (const FrameworkEx& error) {
            EXPECT_EQ(error.Message(), "[Quads::LoadEffect] Effect already bound");
        }
        try {
            quads.SetEffect(&shared);
            ADD_FAILURE() << "no exception";
        } catch (const FrameworkEx& error) {
            EXPECT_EQ(error.Message(), "[Quads::SetEffect] Effect already bound");
        }
        EXPECT_EQ(quads.Effect(), &shared);
        quads.Release();
        EXPECT_EQ(quads.Effect(), nullptr);
    }
    // Still usable after the batch is gone.
    Quads quads(4);
    quads.SetEffect(&shared);
    quads.SetTechnique("Tint");
    quads.Init();
    PlaceInColumns(quads);
    ASSERT_EQ(quads.Draw(3, 1), D3D_OK);
    EXPECT_EQ(Column(3), 0xFFFF0000u);

    Quads owner(1);
    owner.LoadEffect("QuadTest.fx", nullptr);
    EXPECT_THROW(owner.SetEffect(&shared), FrameworkEx);
    owner.Release(); // deletes its own effect; the sanitizer build would report a leak
    EXPECT_EQ(owner.Effect(), nullptr);
}

TEST_F(QuadsTest, SpriteCornersAreStretchedToThePicture) {
    Sprites sprites(3);
    sprites.Init();
    EXPECT_EQ(sprites.SpriteCount(), 3u);
    sprites.SetCorners(0.5f, 0.5f);
    const D3DXVECTOR3* corners = sprites.LockNormals(D3DLOCK_READONLY);
    EXPECT_EQ(corners[0], D3DXVECTOR3(-0.5f, 0.8888889f, 0.0f));
    EXPECT_EQ(corners[1], D3DXVECTOR3(0.5f, 0.8888889f, 0.0f));
    EXPECT_EQ(corners[2], D3DXVECTOR3(0.5f, -0.8888889f, 0.0f));
    EXPECT_EQ(corners[3], D3DXVECTOR3(-0.5f, -0.8888889f, 0.0f));
    EXPECT_EQ(corners[8], corners[0]); // every sprite alike
    sprites.UnlockNormals();

    const D3DXVECTOR2 sizes[3] = {{1.0f, 0.0f}, {0.25f, 0.75f}, {2.0f, 1.0f}};
    sprites.SetCorners(sizes);
    corners = sprites.LockNormals(D3DLOCK_READONLY);
    EXPECT_EQ(corners[4 * 1 + 2], D3DXVECTOR3(0.25f, -0.75f * 1.7777778f, 0.0f));
    EXPECT_EQ(corners[4 * 2 + 0], D3DXVECTOR3(-2.0f, 1.7777778f, 0.0f));
    sprites.UnlockNormals();
}

} // namespace
