// The setup dialog's procedure, driven without widgets: the lists it builds from a scripted
// adaptor and desktop, the settings it reads back on "Run", "Exit", and its failures. Two tests
// run it modally through the offscreen window.
#include "Framework/FrameworkEx.h"
#include "Framework/SetupDialog.h"
#include "Platform/Win32/Win32TestSeam.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace {

D3DDISPLAYMODE Mode(UINT width, UINT height, UINT refreshRate = 60,
                    D3DFORMAT format = D3DFMT_X8R8G8B8) {
    return D3DDISPLAYMODE{width, height, refreshRate, format};
}

// An adaptor with a scripted mode list; one mode may fail to enumerate.
class FakeAdaptor : public IDirect3D9 {
public:
    std::vector<D3DDISPLAYMODE> modes;
    std::optional<UINT> failingMode;

    UINT GetAdapterModeCount(UINT, D3DFORMAT) override { return static_cast<UINT>(modes.size()); }
    HRESULT EnumAdapterModes(UINT, D3DFORMAT, UINT mode, D3DDISPLAYMODE* displayMode) override {
        if (mode >= modes.size() || mode == failingMode) return D3DERR_INVALIDCALL;
        *displayMode = modes[mode];
        return D3D_OK;
    }
    HRESULT GetAdapterDisplayMode(UINT, D3DDISPLAYMODE*) override { return D3DERR_NOTAVAILABLE; }
    HRESULT CheckDeviceFormat(UINT, D3DDEVTYPE, D3DFORMAT, DWORD, D3DRESOURCETYPE,
                              D3DFORMAT) override {
        return D3DERR_NOTAVAILABLE;
    }
    HRESULT GetDeviceCaps(UINT, D3DDEVTYPE, D3DCAPS9*) override { return D3DERR_NOTAVAILABLE; }
    HRESULT CreateDevice(UINT, D3DDEVTYPE, HWND, DWORD, D3DPRESENT_PARAMETERS*,
                         IDirect3DDevice9**) override {
        return D3DERR_NOTAVAILABLE;
    }
};

std::string ThrownMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const FrameworkEx& failure) {
        return failure.Message();
    }
    return "(nothing thrown)";
}

bool QuitPosted(WPARAM* exitCode) {
    MSG msg{};
    if (!PeekMessage(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) return false;
    *exitCode = msg.wParam;
    return true;
}

class SetupDialogTest : public ::testing::Test {
protected:
    void TearDown() override {
        DestroyWindow(dialog);
        MSG msg{};
        while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
        Win32TestSeam::Clear();
    }

    void Open(std::vector<D3DDISPLAYMODE> modes, int desktopWidth, int desktopHeight,
              const DialogTemplate& dialogTemplate = SetupDialog::Template()) {
        adaptor.modes = std::move(modes);
        Win32TestSeam::OverrideDesktopSize(desktopWidth, desktopHeight);
        dialog =
            CreateDialogIndirect(GetModuleHandle(nullptr), dialogTemplate, nullptr,
                                 SetupDialog::SetupDialogProc, reinterpret_cast<LPARAM>(&setup));
    }

    std::vector<std::string> Items(int listId) const {
        HWND list = GetDlgItem(dialog, listId);
        std::vector<std::string> items;
        const auto count = SendMessage(list, CB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[256];
            SendMessage(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            items.emplace_back(text);
        }
        return items;
    }
    LRESULT Selection(int listId) const {
        return SendMessage(GetDlgItem(dialog, listId), CB_GETCURSEL, 0, 0);
    }

    FakeAdaptor adaptor;
    FrameworkSettings settings;
    SetupDialog setup{&adaptor, settings};
    HWND dialog = nullptr;
};

TEST_F(SetupDialogTest, ListsTrueColourModesOfAtLeast800x600WithTheirRatio) {
    Open({Mode(640, 480), Mode(800, 600), Mode(799, 600), Mode(800, 599),
          Mode(1024, 768, 60, D3DFMT_R5G6B5), Mode(1280, 800), Mode(1366, 768),
          Mode(1280, 1024, 75), Mode(1600, 960), Mode(1920, 1080, 144)},
         1920, 1080);
    EXPECT_EQ(Items(SetupDialog::kResolutionList),
              (std::vector<std::string>{"800 x 600 @ 60hz (4:3)", "1280 x 800 @ 60hz (16:10)",
                                        "1366 x 768 @ 60hz (1:1)", "1280 x 1024 @ 75hz (5:4)",
                                        "1600 x 960 @ 60hz (15:9)", "1920 x 1080 @ 144hz (16:9)"}));
    EXPECT_EQ(IsDlgButtonChecked(dialog, SetupDialog::kFullscreenBox), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, SetupDialog::kVSyncBox), BST_CHECKED);
    EXPECT_EQ(IsDlgButtonChecked(dialog, SetupDialog::kLowVideoMemoryBox), BST_UNCHECKED);
}

TEST_F(SetupDialogTest, SelectsTheLastModeOfTheDesktopSize) {
    const struct {
        const char* name;
        std::vector<D3DDISPLAYMODE> modes;
        LRESULT selection;
    } cases[] = {
        {"the last such mode wins",
         {Mode(1024, 768), Mode(1280, 1024, 60), Mode(1920, 1080), Mode(1280, 1024, 75)},
         3},
        {"positions count kept modes only",
         {Mode(640, 480), Mode(800, 600), Mode(1280, 1024, 60, D3DFMT_A8R8G8B8), Mode(1280, 1024)},
         1},
        {"no such mode: the first", {Mode(800, 600), Mode(1024, 768)}, 0},
        {"no mode at all: none", {Mode(640, 480)}, CB_ERR},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open(c.modes, 1280, 1024);
        EXPECT_EQ(Selection(SetupDialog::kResolutionList), c.selection);
        DestroyWindow(dialog);
    }
}

TEST_F(SetupDialogTest, MarksTheDesktopsAspectRatioAsDetected) {
    const char* const ratios[] = {"5:4", "4:3", "16:10", "15:9", "16:9"};
    const struct {
        int width, height;
        int detected; // -1: none
        float monitorAspect;
    } cases[] = {
        {1280, 1024, 0, 1.25f},      {1024, 768, 1, 4.0f / 3.0f},   {1680, 1050, 2, 1.6f},
        {1280, 768, 3, 5.0f / 3.0f}, {1920, 1080, 4, 16.0f / 9.0f}, {1366, 768, -1, 1366.0f / 768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        Open({}, c.width, c.height);
        std::vector<std::string> expected(std::begin(ratios), std::end(ratios));
        if (c.detected >= 0) expected[static_cast<std::size_t>(c.detected)] += " (Detected)";
        EXPECT_EQ(Items(SetupDialog::kMonitorList), expected);
        EXPECT_EQ(Selection(SetupDialog::kMonitorList), c.detected >= 0 ? c.detected : 0);
        EXPECT_EQ(settings.monitorAspect, c.monitorAspect);
        DestroyWindow(dialog);
    }
}

TEST_F(SetupDialogTest, RunReadsTheSettingsAndTheLetterboxedPicture) {
    const struct {
        const char* name;
        std::vector<D3DDISPLAYMODE> modes;
        int desktopWidth, desktopHeight;
        int aspectSelection; // -1: as detected
        bool fullscreen, vsync, lowVideoMemory;
        FrameworkSettings expected;
    } cases[] = {
        {"windowed 1280 x 1024 is made 16:9",
         {Mode(1280, 1024, 75)},
         1280,
         1024,
         -1,
         false,
         true,
         false,
         {1280, 720, 1280, 720, 75, 0, 0, 1.25f, false, true, true}},
        {"fullscreen 1280 x 1024 on a 5:4 monitor is letterboxed",
         {Mode(1280, 1024, 75)},
         1280,
         1024,
         -1,
         true,
         true,
         false,
         {1280, 1024, 1280, 720, 75, 0, 0, 1.25f, true, true, true}},
        {"fullscreen 1280 x 1024 on a 16:9 monitor fills the screen",
         {Mode(1280, 1024, 75)},
         1280,
         1024,
         4,
         true,
         false,
         true,
         {1280, 1024, 1280, 1024, 75, 0, 0, 16.0f / 9.0f, true, false, false}},
        {"windowed 1400 x 1050 truncates the picture height",
         {Mode(1400, 1050)},
         1400,
         1050,
         -1,
         false,
         false,
         false,
         {1400, 787, 1400, 787, 60, 0, 0, 4.0f / 3.0f, false, false, true}},
        {"no mode of 800 x 600 keeps the default size",
         {Mode(640, 480), Mode(1024, 768, 60, D3DFMT_R5G6B5)},
         1280,
         800,
         -1,
         true,
         true,
         false,
         {1280, 800, 1280, 720, 0, 0, 0, 1.6f, true, true, true}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings = FrameworkSettings{};
        settings.multiSampleType = 4; // "Run" turns multisampling off
        settings.multiSampleQuality = 2;
        Open(c.modes, c.desktopWidth, c.desktopHeight);
        if (c.aspectSelection >= 0) {
            SendMessage(GetDlgItem(dialog, SetupDialog::kMonitorList), CB_SETCURSEL,
                        static_cast<WPARAM>(c.aspectSelection), 0);
        }
        CheckDlgButton(dialog, SetupDialog::kFullscreenBox, c.fullscreen ? BST_CHECKED : 0);
        CheckDlgButton(dialog, SetupDialog::kVSyncBox, c.vsync ? BST_CHECKED : 0);
        CheckDlgButton(dialog, SetupDialog::kLowVideoMemoryBox, c.lowVideoMemory ? BST_CHECKED : 0);

        SendDialogCommand(dialog, SetupDialog::kRunButton);
        EXPECT_EQ(GetDialogResult(dialog), 1);
        const FrameworkSettings& e = c.expected;
        EXPECT_EQ(settings.screenWidth, e.screenWidth);
        EXPECT_EQ(settings.screenHeight, e.screenHeight);
        EXPECT_EQ(settings.pictureWidth, e.pictureWidth);
        EXPECT_EQ(settings.pictureHeight, e.pictureHeight);
        EXPECT_EQ(settings.refreshRate, e.refreshRate);
        EXPECT_EQ(settings.multiSampleType, 0u);
        EXPECT_EQ(settings.multiSampleQuality, 0u);
        EXPECT_EQ(settings.monitorAspect, e.monitorAspect);
        EXPECT_EQ(settings.fullscreen, e.fullscreen);
        EXPECT_EQ(settings.vsync, e.vsync);
        EXPECT_EQ(settings.highVideoMemory, e.highVideoMemory);
        WPARAM exitCode = 0;
        EXPECT_FALSE(QuitPosted(&exitCode));
        DestroyWindow(dialog);
    }
}

TEST_F(SetupDialogTest, ExitAndTheCloseBoxEndWithTwoAndPostQuit) {
    const struct {
        const char* name;
        std::function<void(HWND)> leave;
    } cases[] = {
        {"Exit", [](HWND d) { SendDialogCommand(d, SetupDialog::kExitButton); }},
        {"close box", [](HWND d) { SendMessage(d, WM_CLOSE, 0, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Open({Mode(1920, 1080)}, 1920, 1080);
        c.leave(dialog);
        EXPECT_EQ(GetDialogResult(dialog), 2);
        WPARAM exitCode = 99;
        EXPECT_TRUE(QuitPosted(&exitCode));
        EXPECT_EQ(exitCode, 0u);
        EXPECT_EQ(settings.screenWidth, 1280u); // nothing read
        DestroyWindow(dialog);
    }
}

TEST_F(SetupDialogTest, AMissingControlFailsTheInitialisation) {
    for (const int id :
         {SetupDialog::kResolutionList, SetupDialog::kMonitorList, SetupDialog::kVSyncBox,
          SetupDialog::kFullscreenBox, SetupDialog::kLowVideoMemoryBox}) {
        SCOPED_TRACE(id);
        DialogTemplate withoutControl = SetupDialog::Template();
        std::erase_if(withoutControl.controls,
                      [&](const DialogControl& control) { return control.id == id; });
        EXPECT_EQ(ThrownMessage([&] { Open({Mode(1024, 768)}, 1024, 768, withoutControl); }),
                  "Failed to fetch setup resources");
        EXPECT_EQ(dialog, nullptr);
    }
}

TEST_F(SetupDialogTest, AnUnreadableSelectionFailsRun) {
    const struct {
        int listId;
        const char* message;
    } cases[] = {
        {SetupDialog::kResolutionList, "Invalid resolution selection"},
        {SetupDialog::kMonitorList, "Invalid Monitor Aspect Ratio selection"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        Open({Mode(1024, 768)}, 1024, 768);
        Win32TestSeam::FailNextGetWindowText(GetDlgItem(dialog, c.listId));
        EXPECT_EQ(ThrownMessage([&] { SendDialogCommand(dialog, SetupDialog::kRunButton); }),
                  c.message);
        EXPECT_EQ(GetDialogResult(dialog), -1);
        DestroyWindow(dialog);
    }
}

TEST_F(SetupDialogTest, AFailingModeEnumerationIsAGuardedCallFailure) {
    adaptor.failingMode = 1;
    const std::string message = ThrownMessage([&] {
        Open({Mode(800, 600), Mode(1024, 768), Mode(1280, 1024)}, 800, 600);
    });
    EXPECT_EQ(message.rfind("Error: D3DERR_INVALIDCALL\n\n.\\Source\\Framework\\DXFramework : ", 0),
              0u)
        << message;
}

// Modal runs: the dialog window takes the keyboard, so an Enter pushed beforehand presses "Run".
class SetupDialogModal : public SetupDialogTest {
protected:
    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        SDL_Event enter{};
        enter.type = SDL_KEYDOWN;
        enter.key.state = SDL_PRESSED;
        enter.key.keysym.sym = SDLK_RETURN;
        enter.key.keysym.scancode = SDL_SCANCODE_RETURN;
        ASSERT_EQ(SDL_PushEvent(&enter), 1);
        adaptor.modes = {Mode(1024, 768), Mode(1280, 1024, 75)};
        Win32TestSeam::OverrideDesktopSize(1280, 1024);
    }
    void TearDown() override {
        SetupDialogTest::TearDown();
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
    }
};

TEST_F(SetupDialogModal, RunReturnsOneWithTheDesktopModeChosen) {
    EXPECT_EQ(setup.Run(GetModuleHandle(nullptr)), 1);
    EXPECT_EQ(settings.screenWidth, 1280u);
    EXPECT_EQ(settings.screenHeight, 1024u);
    EXPECT_EQ(settings.refreshRate, 75u);
    EXPECT_EQ(settings.pictureHeight, 720u);
    EXPECT_TRUE(settings.fullscreen);
}

TEST_F(SetupDialogModal, AFailureInsideTheDialogReachesTheCallerOfRun) {
    Win32TestSeam::FailNextGetWindowText();
    EXPECT_EQ(ThrownMessage([&] { setup.Run(GetModuleHandle(nullptr)); }),
              "Invalid resolution selection");
}

} // namespace
