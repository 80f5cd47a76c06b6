// The framework object: construction, singletons, result names, guarded calls, the capability
// checks of device creation and the window procedure.
#include "DeviceFixture.h"

#include "Framework/BASSPlayer.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/KeyHandler.h"
#include "Framework/ModuleHandler.h"
#include "Framework/Mouse.h"
#include "Framework/RenderTargetResources/RSHandler.h"
#include "Framework/RenderTargetResources/RTCubeHandler.h"
#include "Framework/RenderTargetResources/RTHandler.h"
#include "Framework/SceneHandler.h"
#include "Framework/Timer.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

template <class T, class... Args>
std::string SecondInstanceMessage(Args... args) {
    T first(args...);
    try {
        T second(args...);
    } catch (const FrameworkEx& failure) {
        return failure.Message();
    }
    return "no exception";
}

TEST(Singletons, RefuseASecondInstanceWithTheirClassName) {
    const FileSys fileSys; // the scene registry reads its timeline through it
    EXPECT_EQ(SecondInstanceMessage<Mouse>(), "Mouse is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<Timer>(), "Timer is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<BASSPlayer>(), "BASSPlayer is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<ModuleHandler>(), "ModuleHandler is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<SceneHandler>("Scenes"), "SceneHandler is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<KeyHandler>(), "KeyHandler is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<RTHandler>(), "RTHandler is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<RSHandler>(), "RSHandler is a singleton!");
    EXPECT_EQ(SecondInstanceMessage<RTCubeHandler>(), "RTCubeHandler is a singleton!");
    EXPECT_EQ(Timer::Instance(), nullptr) << "the pointer goes with the instance";
}

TEST(FrameworkConstruction, RefusesASecondFramework) {
    DXFramework first("", nullptr, "Lumenvale");
    try {
        DXFramework second("", nullptr, "Lumenvale");
        FAIL() << "a second framework was made";
    } catch (const FrameworkEx& failure) {
        EXPECT_EQ(failure.Message(), "Framework is a singleton and can only have 1 instance!");
    }
    EXPECT_EQ(DXFramework::Instance(), &first);
}

TEST(FrameworkConstruction, CreatesTheSingletonsAndTheDefaults) {
    DXFramework framework("--nosetup", nullptr, "Lumenvale");
    EXPECT_EQ(DXFramework::Instance(), &framework);
    EXPECT_NE(Mouse::Instance(), nullptr);
    EXPECT_NE(Timer::Instance(), nullptr);
    EXPECT_NE(KeyHandler::Instance(), nullptr);
    ASSERT_NE(SceneHandler::Instance(), nullptr);
    EXPECT_EQ(SceneHandler::Instance()->Name(), "Scenes");
    EXPECT_FALSE(framework.showSetup);
    const FrameworkSettings& s = framework.settings;
    EXPECT_EQ(s.screenWidth, 1280u);
    EXPECT_EQ(s.screenHeight, 800u);
    EXPECT_EQ(s.pictureWidth, 1280u);
    EXPECT_EQ(s.pictureHeight, 720u);
    EXPECT_EQ(s.refreshRate, 0u);
    EXPECT_FALSE(s.fullscreen);
    EXPECT_FALSE(s.vsync);
    EXPECT_TRUE(s.highVideoMemory);
    EXPECT_TRUE(framework.warmingUp);
    EXPECT_EQ(g_pd3dDevice, nullptr);
}

TEST(FrameworkConstruction, FindsNoSetupAnywhereCaseSensitively) {
    const struct {
        const char* commandLine;
        bool showSetup;
    } cases[] = {{"", true},
                 {"--nosetup", false},
                 {"-x --nosetup -y", false},
                 {"a--nosetupb", false},
                 {"--NOSETUP", true},
                 {"--no-setup", true}};
    for (const auto& c : cases) {
        DXFramework framework(c.commandLine, nullptr, "Lumenvale");
        EXPECT_EQ(framework.showSetup, c.showSetup) << c.commandLine;
    }
}

TEST(FrameworkDestruction, ClearsEverySingleton) {
    { DXFramework framework("", nullptr, "Lumenvale"); }
    EXPECT_EQ(DXFramework::Instance(), nullptr);
    EXPECT_EQ(Mouse::Instance(), nullptr);
    EXPECT_EQ(SceneHandler::Instance(), nullptr);
    EXPECT_EQ(ModuleHandler::Instance(), nullptr);
    EXPECT_EQ(RTHandler::Instance(), nullptr);
    DXFramework again("", nullptr, "Lumenvale");
    EXPECT_EQ(DXFramework::Instance(), &again);
}

TEST(ErrorName, NamesEveryPublishedResult) {
    const std::pair<HRESULT, const char*> cases[] = {
        {D3D_OK, "D3D_OK"},
        {D3DOK_NOAUTOGEN, "D3DOK_NOAUTOGEN"},
        {static_cast<HRESULT>(0x80004001u), "E_NOTIMPL"},
        {static_cast<HRESULT>(0x80004002u), "E_NOINTERFACE"},
        {static_cast<HRESULT>(0x80004005u), "E_FAIL"},
        {static_cast<HRESULT>(0x8007000Eu), "E_OUTOFMEMORY"},
        {static_cast<HRESULT>(0x80070057u), "E_INVALIDARG"},
        {static_cast<HRESULT>(0x8876017Cu), "D3DERR_OUTOFVIDEOMEMORY"},
        {static_cast<HRESULT>(0x8876021Cu), "D3DERR_WASSTILLDRAWING"},
        {D3DERR_WRONGTEXTUREFORMAT, "D3DERR_WRONGTEXTUREFORMAT"},
        {D3DERR_UNSUPPORTEDCOLOROPERATION, "D3DERR_UNSUPPORTEDCOLOROPERATION"},
        {D3DERR_UNSUPPORTEDCOLORARG, "D3DERR_UNSUPPORTEDCOLORARG"},
        {D3DERR_UNSUPPORTEDALPHAOPERATION, "D3DERR_UNSUPPORTEDALPHAOPERATION"},
        {D3DERR_UNSUPPORTEDALPHAARG, "D3DERR_UNSUPPORTEDALPHAARG"},
        {D3DERR_TOOMANYOPERATIONS, "D3DERR_TOOMANYOPERATIONS"},
        {D3DERR_CONFLICTINGTEXTUREFILTER, "D3DERR_CONFLICTINGTEXTUREFILTER"},
        {D3DERR_UNSUPPORTEDFACTORVALUE, "D3DERR_UNSUPPORTEDFACTORVALUE"},
        {D3DERR_CONFLICTINGRENDERSTATE, "D3DERR_CONFLICTINGRENDERSTATE"},
        {D3DERR_UNSUPPORTEDTEXTUREFILTER, "D3DERR_UNSUPPORTEDTEXTUREFILTER"},
        {D3DERR_CONFLICTINGTEXTUREPALETTE, "D3DERR_CONFLICTINGTEXTUREPALETTE"},
        {static_cast<HRESULT>(0x88760827u), "D3DERR_DRIVERINTERNALERROR"},
        {D3DERR_NOTFOUND, "D3DERR_NOTFOUND"},
        {D3DERR_MOREDATA, "D3DERR_MOREDATA"},
        {static_cast<HRESULT>(0x88760868u), "D3DERR_DEVICELOST"},
        {static_cast<HRESULT>(0x88760869u), "D3DERR_DEVICENOTRESET"},
        {D3DERR_NOTAVAILABLE, "D3DERR_NOTAVAILABLE"},
        {D3DERR_INVALIDDEVICE, "D3DERR_INVALIDDEVICE"},
        {static_cast<HRESULT>(0x8876086Cu), "D3DERR_INVALIDCALL"},
        {D3DERR_DRIVERINVALIDCALL, "D3DERR_DRIVERINVALIDCALL"},
        {D3DXERR_CANNOTMODIFYINDEXBUFFER, "D3DXERR_CANNOTMODIFYINDEXBUFFER"},
        {D3DXERR_INVALIDMESH, "D3DXERR_INVALIDMESH"},
        {D3DXERR_CANNOTATTRSORT, "D3DXERR_CANNOTATTRSORT"},
        {D3DXERR_SKINNINGNOTSUPPORTED, "D3DXERR_SKINNINGNOTSUPPORTED"},
        {D3DXERR_TOOMANYINFLUENCES, "D3DXERR_TOOMANYINFLUENCES"},
        {D3DXERR_INVALIDDATA, "D3DXERR_INVALIDDATA"},
        {D3DXERR_LOADEDMESHASNODATA, "D3DXERR_LOADEDMESHASNODATA"},
        {D3DXERR_DUPLICATENAMEDFRAGMENT, "D3DXERR_DUPLICATENAMEDFRAGMENT"},
        {static_cast<HRESULT>(0x88760B5Cu), "D3DXERR_CANNOTREMOVELASTITEM"},
        {static_cast<HRESULT>(0x88760001u), "UNKNOWN ERROR!"},
        {1, "UNKNOWN ERROR!"},
    };
    for (const auto& [code, name] : cases)
        EXPECT_STREQ(DXFramework::ErrorName(code), name);
}

TEST(GuardedCall, SuccessGoesOnAndALostDeviceOnlySetsTheFlag) {
    DXFramework framework("", nullptr, "Lumenvale");
    EXPECT_NO_THROW(GuardedCall(D3D_OK, ".\\Source\\Framework\\DXFramework", 1));
    EXPECT_FALSE(framework.deviceLost);
    EXPECT_NO_THROW(GuardedCall(D3DERR_DEVICELOST, ".\\Source\\Framework\\DXFramework", 2));
    EXPECT_TRUE(framework.deviceLost);
}

TEST(GuardedCall, AnyOtherResultThrowsItsNameFileAndLine) {
    const struct {
        HRESULT result;
        int line;
        const char* message;
    } cases[] = {
        {D3DERR_INVALIDCALL, 123,
         "Error: D3DERR_INVALIDCALL\n\n.\\Source\\Framework\\DXFramework : 123"},
        {D3DERR_OUTOFVIDEOMEMORY, 7,
         "Error: D3DERR_OUTOFVIDEOMEMORY\n\n.\\Source\\Framework\\DXFramework : 7"},
        {static_cast<HRESULT>(0x80001234u), 99,
         "Error: UNKNOWN ERROR!\n\n.\\Source\\Framework\\DXFramework : 99"},
    };
    for (const auto& c : cases) {
        try {
            GuardedCall(c.result, ".\\Source\\Framework\\DXFramework", c.line);
            ADD_FAILURE() << "no exception for " << c.message;
        } catch (const FrameworkEx& failure) {
            EXPECT_EQ(failure.Message(), c.message);
        }
    }
}

struct CapabilityCase {
    const char* name;
    std::function<void(D3DCAPS9&)> change;
    const char* message;
};

void PrintTo(const CapabilityCase& c, std::ostream* os) {
    *os << c.name;
}

class CapabilityChecks : public DeviceFixture,
                         public ::testing::WithParamInterface<CapabilityCase> {};

TEST_P(CapabilityChecks, EachMissingFeatureFailsWithItsMessage) {
    D3D9TestSeam::OverrideCaps(GetParam().change);
    framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
    framework->OpenWindow();
    try {
        framework->CreateDevice();
        FAIL() << "device created despite: " << GetParam().message;
    } catch (const FrameworkSupportFailed& failure) {
        EXPECT_EQ(failure.Message(), GetParam().message);
    }
    EXPECT_EQ(g_pd3dDevice, nullptr);
}

INSTANTIATE_TEST_SUITE_P(
    InCheckOrder, CapabilityChecks,
    ::testing::Values(
        CapabilityCase{"FewRenderTargets", [](D3DCAPS9& c) { c.NumSimultaneousRTs = 1; },
                       "Number of simultaneous render targets < 2"},
        CapabilityCase{"VertexShader2",
                       [](D3DCAPS9& c) { c.VertexShaderVersion = D3DVS_VERSION(2, 0xFF); },
                       "VertexShaderVersion < 3.0"},
        CapabilityCase{"PixelShader2",
                       [](D3DCAPS9& c) { c.PixelShaderVersion = D3DPS_VERSION(2, 0); },
                       "PixelShaderVersion < 3.0"},
        CapabilityCase{"NarrowTextures", [](D3DCAPS9& c) { c.MaxTextureWidth = 1024; },
                       "MaxTextureWidth < 2048"},
        CapabilityCase{"ShortTextures", [](D3DCAPS9& c) { c.MaxTextureHeight = 2047; },
                       "MaxTextureHeight < 2048"},
        CapabilityCase{"NoCubemaps", [](D3DCAPS9& c) { c.TextureCaps &= ~D3DPTEXTURECAPS_CUBEMAP; },
                       "Cubemaps not allowed"},
        CapabilityCase{"NoVolumemaps",
                       [](D3DCAPS9& c) { c.TextureCaps &= ~D3DPTEXTURECAPS_VOLUMEMAP; },
                       "Volumemaps not allowed"},
        CapabilityCase{"SquareOnly",
                       [](D3DCAPS9& c) { c.TextureCaps |= D3DPTEXTURECAPS_SQUAREONLY; },
                       "Textures can only be squares"},
        CapabilityCase{"PowerOfTwoOnly", [](D3DCAPS9& c) { c.TextureCaps |= D3DPTEXTURECAPS_POW2; },
                       "Your gfx adaptor does not support non-power-of-two textures in any "
                       "reasonable way"},
        // Several missing features: the first in check order is reported.
        CapabilityCase{"SeveralMissing",
                       [](D3DCAPS9& c) {
                           c.TextureCaps = 0;
                           c.PixelShaderVersion = 0;
                           c.MaxTextureWidth = 0;
                       },
                       "PixelShaderVersion < 3.0"},
        CapabilityCase{"VolumeBeforeSquare",
                       [](D3DCAPS9& c) {
                           c.TextureCaps &= ~D3DPTEXTURECAPS_VOLUMEMAP;
                           c.TextureCaps |= D3DPTEXTURECAPS_SQUAREONLY;
                       },
                       "Volumemaps not allowed"}),
    [](const ::testing::TestParamInfo<CapabilityCase>& param) { return param.param.name; });

using DeviceCreation = DeviceFixture;

TEST_F(DeviceCreation, ConditionalNonPowerOfTwoIsEnough) {
    D3D9TestSeam::OverrideCaps([](D3DCAPS9& c) {
        c.TextureCaps |= D3DPTEXTURECAPS_POW2 | D3DPTEXTURECAPS_NONPOW2CONDITIONAL;
        c.VertexShaderVersion = D3DVS_VERSION(3, 0xFF);
    });
    OpenFramework();
    EXPECT_NE(g_pd3dDevice, nullptr);
}

TEST_F(DeviceCreation, NoDirect3DMeansUnableToInitialize) {
    D3D9TestSeam::FailDirect3DCreate(true);
    framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
    framework->OpenWindow();
    try {
        framework->CreateDevice();
        FAIL();
    } catch (const FrameworkEx& failure) {
        EXPECT_EQ(failure.Message(), "Unable to initialize d3d9");
    }
}

TEST_F(DeviceCreation, FailingGuardedCallNamesResultFileAndLine) {
    D3D9TestSeam::InjectResult("CreateDevice", D3DERR_NOTAVAILABLE);
    framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
    framework->OpenWindow();
    try {
        framework->CreateDevice();
        FAIL();
    } catch (const FrameworkEx& failure) {
        EXPECT_THAT(failure.Message(),
                    ::testing::MatchesRegex("Error: D3DERR_NOTAVAILABLE\n\n"
                                            "\\.\\\\Source\\\\Framework\\\\DXFramework : [0-9]+"));
    }
}

TEST_F(DeviceCreation, AWindowOfAnUnknownClassIsAFailure) {
    framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
    UnregisterClass("d3d_framework", nullptr);
    try {
        framework->OpenWindow();
        FAIL();
    } catch (const FrameworkEx& failure) {
        EXPECT_EQ(failure.Message(), "Failed creating window");
    }
}

TEST_F(DeviceCreation, PresentationParametersFollowTheSettings) {
    FrameworkSettings settings;
    settings.vsync = true;
    OpenFramework(settings);
    const D3DPRESENT_PARAMETERS& p = framework->presentParameters;
    EXPECT_EQ(p.BackBufferWidth, 1280u);
    EXPECT_EQ(p.BackBufferHeight, 800u);
    EXPECT_EQ(p.BackBufferFormat, D3DFMT_X8R8G8B8);
    EXPECT_EQ(p.BackBufferCount, 2u);
    EXPECT_EQ(p.SwapEffect, D3DSWAPEFFECT_DISCARD);
    EXPECT_EQ(p.hDeviceWindow, framework->window);
    EXPECT_TRUE(p.Windowed);
    EXPECT_FALSE(p.EnableAutoDepthStencil);
    EXPECT_EQ(p.AutoDepthStencilFormat, D3DFMT_D16);
    EXPECT_EQ(p.FullScreen_RefreshRateInHz, 0u);
    EXPECT_EQ(p.PresentationInterval, D3DPRESENT_INTERVAL_ONE);
}

} // namespace
