// The Direct3D-9-shaped device over OpenGL: adaptor queries, the test seam, clears, viewports,
// surfaces and presentation, checked through pixels read back from the render targets.
#include "DeviceFixture.h"

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3D9/D3D9TestSeam.h"

#include <gtest/gtest.h>

namespace {

constexpr D3DCOLOR kRed = D3DCOLOR_ARGB(255, 255, 0, 0);
constexpr D3DCOLOR kBlack = D3DCOLOR_ARGB(255, 0, 0, 0);

class Direct3DTest : public ::testing::Test {
protected:
    void SetUp() override {
        direct3D = Direct3DCreate9(D3D_SDK_VERSION);
        ASSERT_NE(direct3D, nullptr);
    }
    void TearDown() override {
        if (direct3D) direct3D->Release();
        D3D9TestSeam::Clear();
    }
    IDirect3D9* direct3D = nullptr;
};

TEST(Direct3DCreate, RefusesAnotherSdkVersion) {
    EXPECT_EQ(Direct3DCreate9(31), nullptr);
}

TEST(Direct3DCreate, FailsWhenTheSeamSaysSo) {
    D3D9TestSeam::FailDirect3DCreate(true);
    EXPECT_EQ(Direct3DCreate9(D3D_SDK_VERSION), nullptr);
    D3D9TestSeam::Clear();
}

TEST_F(Direct3DTest, CapabilitiesAreThoseOfShaderModelThree) {
    D3DCAPS9 caps{};
    ASSERT_EQ(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_EQ(caps.VertexShaderVersion, D3DVS_VERSION(3, 0));
    EXPECT_EQ(caps.PixelShaderVersion, D3DPS_VERSION(3, 0));
    EXPECT_GE(caps.NumSimultaneousRTs, 2u);
    EXPECT_LE(caps.NumSimultaneousRTs, 4u);
    EXPECT_GE(caps.MaxTextureWidth, 2048u);
    EXPECT_GE(caps.MaxTextureHeight, 2048u);
    EXPECT_TRUE(caps.TextureCaps & D3DPTEXTURECAPS_CUBEMAP);
    EXPECT_TRUE(caps.TextureCaps & D3DPTEXTURECAPS_VOLUMEMAP);
    EXPECT_FALSE(caps.TextureCaps & (D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_SQUAREONLY));
    EXPECT_NE(caps.VertexProcessingCaps, 0u);
    EXPECT_EQ(direct3D->GetDeviceCaps(1, D3DDEVTYPE_HAL, &caps), D3DERR_INVALIDCALL);
}

TEST_F(Direct3DTest, InjectedResultAnswersOnlyTheNextCall) {
    D3DCAPS9 caps{};
    D3D9TestSeam::InjectResult("GetDeviceCaps", D3DERR_NOTAVAILABLE);
    D3D9TestSeam::InjectResult("GetDeviceCaps", E_OUTOFMEMORY);
    EXPECT_EQ(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps),
              D3DERR_NOTAVAILABLE);
    EXPECT_EQ(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps), E_OUTOFMEMORY);
    EXPECT_EQ(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps), D3D_OK);
}

TEST_F(Direct3DTest, CapsOverrideChangesWhatIsReported) {
    D3D9TestSeam::OverrideCaps(
        [](D3DCAPS9& caps) { caps.PixelShaderVersion = D3DPS_VERSION(2, 0); });
    D3DCAPS9 caps{};
    ASSERT_EQ(direct3D->GetDeviceCaps(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, &caps), D3D_OK);
    EXPECT_EQ(caps.PixelShaderVersion, D3DPS_VERSION(2, 0));
    EXPECT_EQ(caps.VertexShaderVersion, D3DVS_VERSION(3, 0));
}

TEST_F(Direct3DTest, ScriptedModesAreEnumeratedInX8R8G8B8Only) {
    D3D9TestSeam::SetAdapterModes(
        {{1280, 1024, 60, D3DFMT_X8R8G8B8}, {800, 600, 75, D3DFMT_X8R8G8B8}});
    ASSERT_EQ(direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8), 2u);
    EXPECT_EQ(direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_R5G6B5), 0u);
    D3DDISPLAYMODE mode{};
    ASSERT_EQ(direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, 1, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 800u);
    EXPECT_EQ(mode.Height, 600u);
    EXPECT_EQ(mode.RefreshRate, 75u);
    EXPECT_EQ(direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, 2, &mode),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(direct3D->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &mode), D3D_OK);
    EXPECT_EQ(mode.Width, 1280u);
}

TEST_F(Direct3DTest, DepthFormatsAreAvailable) {
    for (D3DFORMAT format : {D3DFMT_D16, D3DFMT_D24S8})
        EXPECT_EQ(direct3D->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                              D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, format),
                  D3D_OK);
    EXPECT_EQ(direct3D->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_X8R8G8B8,
                                          D3DUSAGE_DEPTHSTENCIL, D3DRTYPE_SURFACE, D3DFMT_A8R8G8B8),
              D3DERR_NOTAVAILABLE);
}

using DeviceTest = DeviceFixture;

TEST_F(DeviceTest, ClearFillsTheViewportWithRowZeroAtTheTop) {
    OpenFramework();
    const D3DVIEWPORT9 viewport{10, 20, 30, 40, 0.0f, 1.0f};
    ASSERT_EQ(g_pd3dDevice->SetViewport(&viewport), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, kRed, 1.0f, 0), D3D_OK);
    const auto pixels = ReadPixels(framework->backBufferSurface);
    const auto at = [&](int x, int y) { return pixels[y * 1280 + x] | 0xFF000000u; };
    EXPECT_EQ(at(10, 20), kRed);
    EXPECT_EQ(at(39, 59), kRed);
    EXPECT_EQ(at(9, 20), kBlack);
    EXPECT_EQ(at(10, 19), kBlack);
    EXPECT_EQ(at(40, 59), kBlack);
    EXPECT_EQ(at(39, 60), kBlack);
}

TEST_F(DeviceTest, ClearRectanglesAreCutToTheViewport) {
    OpenFramework();
    const D3DVIEWPORT9 viewport{0, 0, 100, 100, 0.0f, 1.0f};
    ASSERT_EQ(g_pd3dDevice->SetViewport(&viewport), D3D_OK);
    const D3DRECT rects[] = {{90, 90, 200, 200}, {0, 0, 5, 5}};
    ASSERT_EQ(g_pd3dDevice->Clear(2, rects, D3DCLEAR_TARGET, kRed, 1.0f, 0), D3D_OK);
    const auto pixels = ReadPixels(framework->backBufferSurface);
    const auto at = [&](int x, int y) { return pixels[y * 1280 + x] | 0xFF000000u; };
    EXPECT_EQ(at(95, 95), kRed);
    EXPECT_EQ(at(100, 95), kBlack);
    EXPECT_EQ(at(2, 2), kRed);
    EXPECT_EQ(at(50, 50), kBlack);
}

TEST_F(DeviceTest, InvalidCallsAreRefused) {
    OpenFramework();
    const D3DVIEWPORT9 outside{1200, 0, 100, 10, 0.0f, 1.0f};
    EXPECT_EQ(g_pd3dDevice->SetViewport(&outside), D3DERR_INVALIDCALL);
    const D3DVIEWPORT9 badDepth{0, 0, 10, 10, 0.5f, 0.25f};
    EXPECT_EQ(g_pd3dDevice->SetViewport(&badDepth), D3DERR_INVALIDCALL);
    EXPECT_EQ(g_pd3dDevice->EndScene(), D3DERR_INVALIDCALL);
    ASSERT_EQ(g_pd3dDevice->BeginScene(), D3D_OK);
    EXPECT_EQ(g_pd3dDevice->BeginScene(), D3DERR_INVALIDCALL);
    EXPECT_EQ(g_pd3dDevice->EndScene(), D3D_OK);
    EXPECT_EQ(g_pd3dDevice->SetRenderTarget(0, nullptr), D3DERR_INVALIDCALL);
    EXPECT_EQ(g_pd3dDevice->SetRenderTarget(0, framework->sharedDepthSurface), D3DERR_INVALIDCALL);
    EXPECT_EQ(g_pd3dDevice->SetDepthStencilSurface(framework->backBufferSurface),
              D3DERR_INVALIDCALL);
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(g_pd3dDevice->CreateDepthStencilSurface(64, 64, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE,
                                                      0, TRUE, &surface, nullptr),
              D3DERR_INVALIDCALL);
    ASSERT_EQ(g_pd3dDevice->SetDepthStencilSurface(nullptr), D3D_OK);
    EXPECT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
}

TEST_F(DeviceTest, SettingRenderTargetZeroResetsTheViewport) {
    OpenFramework();
    framework->SetPictureViewport();
    ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface), D3D_OK);
    D3DVIEWPORT9 viewport{};
    ASSERT_EQ(g_pd3dDevice->GetViewport(&viewport), D3D_OK);
    EXPECT_EQ(viewport.Y, 0u);
    EXPECT_EQ(viewport.Width, 1280u);
    EXPECT_EQ(viewport.Height, 800u);
}

TEST_F(DeviceTest, PresentShowsTheBackBufferOrReportsTheInjectedLoss) {
    OpenFramework();
    EXPECT_EQ(g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    D3D9TestSeam::InjectResult("Present", D3DERR_DEVICELOST);
    EXPECT_EQ(g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr), D3DERR_DEVICELOST);
    EXPECT_EQ(g_pd3dDevice->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
}

TEST_F(DeviceTest, ResetMakesABackBufferOfTheNewSize) {
    OpenFramework();
    framework->backBufferSurface->Release();
    framework->backBufferSurface = nullptr;
    D3DPRESENT_PARAMETERS parameters = framework->presentParameters;
    parameters.BackBufferWidth = 640;
    parameters.BackBufferHeight = 360;
    ASSERT_EQ(g_pd3dDevice->Reset(&parameters), D3D_OK);
    IDirect3DSurface9* backBuffer = nullptr;
    ASSERT_EQ(g_pd3dDevice->GetBackBuffer(0, 0, D3DBACKBUFFER_TYPE_MONO, &backBuffer), D3D_OK);
    D3DSURFACE_DESC desc{};
    backBuffer->GetDesc(&desc);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Height, 360u);
    backBuffer->Release();
}

TEST_F(DeviceTest, RenderTargetQueriesAddReferences) {
    OpenFramework();
    IDirect3DSurface9* target = nullptr;
    ASSERT_EQ(g_pd3dDevice->GetRenderTarget(0, &target), D3D_OK);
    EXPECT_EQ(target, framework->backBufferSurface);
    // Held as the device's back buffer and target 0, by the framework and by this query.
    EXPECT_EQ(target->AddRef(), 5u);
    target->Release();
    target->Release();
    EXPECT_EQ(g_pd3dDevice->GetRenderTarget(1, &target), D3DERR_NOTFOUND);
}

} // namespace
