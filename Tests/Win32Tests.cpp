// The Win32 layer over SDL: windows, the message queue and its translation of SDL events, the
// cursor counter, message boxes, system metrics, dialogs and their controls, modal dialogs.
#include "Platform/Win32/Dialog.h"
#include "Platform/Win32/Win32TestSeam.h"
#include "Platform/Win32/Windows.h"

#include <SDL.h>
#include <gtest/gtest.h>
#include <imgui.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr const char* kClassName = "win32_tests";
constexpr int kWidth = 320;
constexpr int kHeight = 200;

std::vector<MSG> windowProcMessages;

LRESULT RecordingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    windowProcMessages.push_back(MSG{window, message, wParam, lParam});
    return DefWindowProc(window, message, wParam, lParam);
}

std::vector<MSG> TakeQueuedMessages() {
    std::vector<MSG> messages;
    MSG msg{};
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        messages.push_back(msg);
    return messages;
}

bool Received(UINT message, HWND window) {
    for (const MSG& msg : windowProcMessages) {
        if (msg.message == message && msg.hwnd == window) return true;
    }
    return false;
}

class Win32Window : public ::testing::Test {
protected:
    void SetUp() override {
        WNDCLASSEX windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = RecordingWindowProc;
        windowClass.lpszClassName = kClassName;
        ASSERT_NE(RegisterClassEx(&windowClass), 0);
        window =
            CreateWindowEx(0, kClassName, "Win32 tests", WS_CAPTION | WS_SYSMENU, 10, 20, kWidth,
                           kHeight, nullptr, nullptr, GetModuleHandle(nullptr), nullptr);
        ASSERT_NE(window, nullptr);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
        TakeQueuedMessages();
        windowProcMessages.clear();
    }
    void TearDown() override {
        DestroyWindow(window);
        EXPECT_TRUE(UnregisterClass(kClassName, nullptr));
        TakeQueuedMessages();
        Win32TestSeam::Clear();
        windowProcMessages.clear();
    }

    Uint32 WindowId() const { return SDL_GetWindowID(GetSDLWindow(window)); }

    HWND window = nullptr;
};

TEST_F(Win32Window, IsAHiddenGLWindowWhoseClientSizeIsTheSizeGiven) {
    SDL_Window* sdlWindow = GetSDLWindow(window);
    ASSERT_NE(sdlWindow, nullptr);
    const Uint32 flags = SDL_GetWindowFlags(sdlWindow);
    EXPECT_NE(flags & SDL_WINDOW_OPENGL, 0u);
    EXPECT_NE(flags & SDL_WINDOW_HIDDEN, 0u);
    EXPECT_EQ(flags & (SDL_WINDOW_BORDERLESS | SDL_WINDOW_RESIZABLE), 0u);

    RECT client{};
    ASSERT_TRUE(GetClientRect(window, &client));
    EXPECT_EQ(client.right - client.left, kWidth);
    EXPECT_EQ(client.bottom - client.top, kHeight);
    RECT outer{0, 0, kWidth, kHeight};
    ASSERT_TRUE(AdjustWindowRectEx(&outer, WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_APPWINDOW));
    EXPECT_EQ(outer.right, kWidth);
    EXPECT_EQ(outer.bottom, kHeight);

    EXPECT_FALSE(ShowWindow(window, SW_SHOWNORMAL)); // it was hidden
    EXPECT_NE(SDL_GetWindowFlags(sdlWindow) & SDL_WINDOW_SHOWN, 0u);
    EXPECT_TRUE(ShowWindow(window, SW_HIDE));
}

TEST_F(Win32Window, PopupWindowsAreBorderless) {
    HWND popup = CreateWindowEx(WS_EX_APPWINDOW, kClassName, "popup", WS_POPUP, 0, 0, 64, 48,
                                nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(popup, nullptr);
    EXPECT_NE(SDL_GetWindowFlags(GetSDLWindow(popup)) & SDL_WINDOW_BORDERLESS, 0u);
    EXPECT_TRUE(DestroyWindow(popup));
}

TEST_F(Win32Window, ClassesAreRegisteredOnceAndOnlyGoWithoutWindows) {
    WNDCLASSEX again{};
    again.cbSize = sizeof again;
    again.lpfnWndProc = RecordingWindowProc;
    again.lpszClassName = "WIN32_TESTS"; // class names ignore case
    EXPECT_EQ(RegisterClassEx(&again), 0);
    EXPECT_EQ(CreateWindowEx(0, "no_such_class", "", WS_POPUP, 0, 0, 8, 8, nullptr, nullptr,
                             nullptr, nullptr),
              nullptr);
    EXPECT_FALSE(UnregisterClass(kClassName, nullptr));
}

TEST_F(Win32Window, DestroyWindowSendsWmDestroyAndDropsTheWindowsMessages) {
    ASSERT_TRUE(PostMessage(window, WM_COMMAND, 1, 0));
    ASSERT_TRUE(DestroyWindow(window));
    EXPECT_TRUE(Received(WM_DESTROY, window));
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetSDLWindow(window), nullptr);
    EXPECT_TRUE(TakeQueuedMessages().empty());
    EXPECT_FALSE(DestroyWindow(window));
    EXPECT_FALSE(PostMessage(window, WM_COMMAND, 1, 0));
}

SDL_Event KeyEvent(Uint32 type, SDL_Keycode sym, SDL_Scancode scancode, Uint16 mod, Uint8 repeat,
                   Uint32 windowId) {
    SDL_Event event{};
    event.type = type;
    event.key.windowID = windowId;
    event.key.state = type == SDL_KEYDOWN ? SDL_PRESSED : SDL_RELEASED;
    event.key.repeat = repeat;
    event.key.keysym.sym = sym;
    event.key.keysym.scancode = scancode;
    event.key.keysym.mod = mod;
    return event;
}

TEST_F(Win32Window, KeysBecomeKeyMessagesWithVirtualKeyCodesInOrder) {
    const struct {
        Uint32 type;
        SDL_Keycode sym;
        SDL_Scancode scancode;
        Uint16 mod;
        Uint8 repeat;
        UINT message;
        WPARAM virtualKey;
    } cases[] = {
        {SDL_KEYDOWN, SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 0, WM_KEYDOWN, 'A'},
        {SDL_KEYDOWN, SDLK_t, SDL_SCANCODE_T, KMOD_LSHIFT, 0, WM_KEYDOWN, 'T'},
        {SDL_KEYDOWN, SDLK_7, SDL_SCANCODE_7, KMOD_NONE, 0, WM_KEYDOWN, '7'},
        {SDL_KEYDOWN, SDLK_LEFT, SDL_SCANCODE_LEFT, KMOD_NONE, 0, WM_KEYDOWN, 37},
        {SDL_KEYDOWN, SDLK_UP, SDL_SCANCODE_UP, KMOD_NONE, 0, WM_KEYDOWN, 38},
        {SDL_KEYDOWN, SDLK_RIGHT, SDL_SCANCODE_RIGHT, KMOD_NONE, 0, WM_KEYDOWN, 39},
        {SDL_KEYDOWN, SDLK_DOWN, SDL_SCANCODE_DOWN, KMOD_NONE, 0, WM_KEYDOWN, 40},
        {SDL_KEYDOWN, SDLK_SPACE, SDL_SCANCODE_SPACE, KMOD_NONE, 0, WM_KEYDOWN, 32},
        {SDL_KEYDOWN, SDLK_RCTRL, SDL_SCANCODE_RCTRL, KMOD_NONE, 0, WM_KEYDOWN, 17},
        {SDL_KEYDOWN, SDLK_LSHIFT, SDL_SCANCODE_LSHIFT, KMOD_NONE, 0, WM_KEYDOWN, 16},
        {SDL_KEYDOWN, SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, KMOD_NONE, 0, WM_KEYDOWN, 27},
        {SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, KMOD_NONE, 0, WM_KEYDOWN, 13},
        {SDL_KEYDOWN, SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, KMOD_NONE, 0, WM_KEYDOWN, 8},
        {SDL_KEYDOWN, SDLK_TAB, SDL_SCANCODE_TAB, KMOD_NONE, 0, WM_KEYDOWN, 9},
        {SDL_KEYDOWN, SDLK_F1, SDL_SCANCODE_F1, KMOD_NONE, 0, WM_KEYDOWN, 0x70},
        {SDL_KEYDOWN, SDLK_F12, SDL_SCANCODE_F12, KMOD_NONE, 0, WM_KEYDOWN, 0x7B},
        {SDL_KEYDOWN, SDLK_F10, SDL_SCANCODE_F10, KMOD_NONE, 0, WM_SYSKEYDOWN, 0x79},
        {SDL_KEYDOWN, SDLK_x, SDL_SCANCODE_X, KMOD_LALT, 0, WM_SYSKEYDOWN, 'X'},
        {SDL_KEYDOWN, SDLK_t, SDL_SCANCODE_T, KMOD_NONE, 1, WM_KEYDOWN, 'T'},
        {SDL_KEYUP, SDLK_a, SDL_SCANCODE_A, KMOD_NONE, 0, WM_KEYUP, 'A'},
        {SDL_KEYUP, SDLK_x, SDL_SCANCODE_X, KMOD_LALT, 0, WM_SYSKEYUP, 'X'},
    };
    for (const auto& c : cases) {
        SDL_Event event = KeyEvent(c.type, c.sym, c.scancode, c.mod, c.repeat, WindowId());
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    const std::vector<MSG> messages = TakeQueuedMessages();
    ASSERT_EQ(messages.size(), std::size(cases));
    for (std::size_t i = 0; i < messages.size(); ++i) {
        const auto& c = cases[i];
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_EQ(messages[i].hwnd, window);
        EXPECT_EQ(messages[i].message, c.message);
        EXPECT_EQ(messages[i].wParam, c.virtualKey);
        // lParam bit 30: the key was down before (repeats, releases); bit 31: released.
        const bool released = c.type == SDL_KEYUP;
        EXPECT_EQ((messages[i].lParam >> 30) & 1, released || c.repeat != 0 ? 1 : 0);
        EXPECT_EQ((messages[i].lParam >> 31) & 1, released ? 1 : 0);
    }
}

TEST_F(Win32Window, MouseEventsCarryTheHeldButtonsAndThePosition) {
    enum class Kind { Motion, Down, Up };
    const struct {
        Kind kind;
        Uint8 button; // motion: the SDL button mask
        int x, y;
        UINT message;
        WPARAM flags;
    } cases[] = {
        {Kind::Motion, 0, 5, 7, WM_MOUSEMOVE, 0},
        {Kind::Down, SDL_BUTTON_LEFT, 10, 20, WM_LBUTTONDOWN, MK_LBUTTON},
        {Kind::Down, SDL_BUTTON_RIGHT, 11, 21, WM_RBUTTONDOWN, MK_LBUTTON | MK_RBUTTON},
        {Kind::Motion, SDL_BUTTON_LMASK | SDL_BUTTON_RMASK, 300, 150, WM_MOUSEMOVE,
         MK_LBUTTON | MK_RBUTTON},
        {Kind::Down, SDL_BUTTON_MIDDLE, 12, 22, WM_MBUTTONDOWN,
         MK_LBUTTON | MK_RBUTTON | MK_MBUTTON},
        {Kind::Up, SDL_BUTTON_LEFT, 13, 23, WM_LBUTTONUP, MK_RBUTTON | MK_MBUTTON},
        {Kind::Up, SDL_BUTTON_MIDDLE, 14, 24, WM_MBUTTONUP, MK_RBUTTON},
        {Kind::Up, SDL_BUTTON_RIGHT, 15, 25, WM_RBUTTONUP, 0},
    };
    for (const auto& c : cases) {
        SDL_Event event{};
        if (c.kind == Kind::Motion) {
            event.type = SDL_MOUSEMOTION;
            event.motion.windowID = WindowId();
            event.motion.state = c.button;
            event.motion.x = c.x;
            event.motion.y = c.y;
        } else {
            event.type = c.kind == Kind::Down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
            event.button.windowID = WindowId();
            event.button.button = c.button;
            event.button.x = c.x;
            event.button.y = c.y;
        }
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }

    const std::vector<MSG> messages = TakeQueuedMessages();
    ASSERT_EQ(messages.size(), std::size(cases));
    for (std::size_t i = 0; i < messages.size(); ++i) {
        SCOPED_TRACE("case " + std::to_string(i));
        EXPECT_EQ(messages[i].message, cases[i].message);
        EXPECT_EQ(messages[i].wParam, cases[i].flags);
        EXPECT_EQ(messages[i].lParam, cases[i].x | (cases[i].y << 16));
    }
}

TEST_F(Win32Window, WindowEventsBecomeSizeAndCloseMessages) {
    for (const Uint8 windowEvent :
         {SDL_WINDOWEVENT_MINIMIZED, SDL_WINDOWEVENT_RESTORED, SDL_WINDOWEVENT_CLOSE}) {
        SDL_Event event{};
        event.type = SDL_WINDOWEVENT;
        event.window.windowID = WindowId();
        event.window.event = windowEvent;
        ASSERT_EQ(SDL_PushEvent(&event), 1);
    }
    const std::vector<MSG> messages = TakeQueuedMessages();
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_EQ(messages[0].message, WM_SIZE);
    EXPECT_EQ(messages[0].wParam, SIZE_MINIMIZED);
    EXPECT_EQ(messages[1].message, WM_SIZE);
    EXPECT_EQ(messages[1].wParam, SIZE_RESTORED);
    EXPECT_EQ(messages[1].lParam, kWidth | (kHeight << 16));
    EXPECT_EQ(messages[2].message, WM_CLOSE);

    // The default handling of WM_CLOSE destroys the window, which hears WM_DESTROY first.
    DispatchMessage(&messages[2]);
    EXPECT_TRUE(Received(WM_CLOSE, window));
    EXPECT_TRUE(Received(WM_DESTROY, window));
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(Win32Window, AQuitRequestAsksTheWindowToClose) {
    SDL_Event event{};
    event.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&event), 1);
    const std::vector<MSG> messages = TakeQueuedMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0].hwnd, window);
    EXPECT_EQ(messages[0].message, WM_CLOSE);
}

TEST_F(Win32Window, TheQueueHandsOutMessagesInOrderThroughItsFilters) {
    ASSERT_TRUE(PostMessage(window, WM_COMMAND, 11, 12));
    PostQuitMessage(3);
    SDL_Event key = KeyEvent(SDL_KEYDOWN, SDLK_q, SDL_SCANCODE_Q, KMOD_NONE, 0, WindowId());
    ASSERT_EQ(SDL_PushEvent(&key), 1);

    MSG msg{};
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
    EXPECT_EQ(msg.message, WM_COMMAND);
    ASSERT_TRUE(PeekMessage(&msg, nullptr, WM_KEYDOWN, WM_KEYDOWN, PM_REMOVE));
    EXPECT_EQ(msg.wParam, WPARAM{'Q'});
    ASSERT_TRUE(PeekMessage(&msg, window, 0, 0, PM_REMOVE)); // the quit message has no window
    EXPECT_EQ(msg.message, WM_COMMAND);
    EXPECT_EQ(DispatchMessage(&msg), 0);
    ASSERT_EQ(windowProcMessages.size(), 1u);
    EXPECT_EQ(windowProcMessages[0].wParam, 11u);
    EXPECT_EQ(windowProcMessages[0].lParam, 12);

    EXPECT_FALSE(PeekMessage(&msg, window, 0, 0, PM_REMOVE));
    ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
    EXPECT_EQ(msg.hwnd, nullptr);
    EXPECT_EQ(msg.message, WM_QUIT);
    EXPECT_EQ(msg.wParam, 3u);
    DispatchMessage(&msg);
    EXPECT_EQ(windowProcMessages.size(), 1u);
    EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
}

TEST_F(Win32Window, ShowCursorKeepsTheDisplayCounter) {
    // The counter is the process's: walk it to -1 and 0, then back to where it was.
    int count = ShowCursor(TRUE);
    const int start = count - 1;
    while (count >= 0)
        count = ShowCursor(FALSE);
    while (count < -1)
        count = ShowCursor(TRUE);
    EXPECT_EQ(count, -1);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_DISABLE);
    count = ShowCursor(TRUE);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(SDL_ShowCursor(SDL_QUERY), SDL_ENABLE);
    while (count != start)
        count = ShowCursor(count < start ? TRUE : FALSE);
}

bool OnOffscreenDriver() {
    GetSystemMetrics(SM_CXSCREEN); // starts the video subsystem
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr &&
           (std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0);
}

TEST(Win32MessageBox, PrintsCaptionAndTextWhereNoBoxCanBeShown) {
    if (!OnOffscreenDriver()) GTEST_SKIP() << "a real display would show the box";
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "first line\nsecond line", "Lumenvale", MB_OK | MB_ICONERROR),
              IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Lumenvale: first line\nsecond line\n");
}

TEST(Win32MessageBox, TheSeamRecordsBoxesInsteadOfPrintingThem) {
    Win32TestSeam::CaptureMessageBoxes();
    testing::internal::CaptureStderr();
    EXPECT_EQ(MessageBox(nullptr, "text", "caption", MB_OK), IDOK);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ASSERT_EQ(Win32TestSeam::CapturedMessageBoxes().size(), 1u);
    EXPECT_EQ(Win32TestSeam::CapturedMessageBoxes()[0].caption, "caption");
    EXPECT_EQ(Win32TestSeam::CapturedMessageBoxes()[0].text, "text");
    Win32TestSeam::Clear();
}

TEST(Win32SystemMetrics, ReportTheDesktopAndTheWorkArea) {
    Win32TestSeam::OverrideDesktopSize(1280, 1024);
    Win32TestSeam::OverrideWorkArea(1280, 994);
    EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), 1024);
    EXPECT_EQ(GetSystemMetrics(SM_CXFULLSCREEN), 1280);
    EXPECT_EQ(GetSystemMetrics(SM_CYFULLSCREEN), 994);
    Win32TestSeam::Clear();

    const int desktopWidth = GetSystemMetrics(SM_CXSCREEN); // starts the video subsystem
    SDL_DisplayMode desktop{};
    ASSERT_EQ(SDL_GetDesktopDisplayMode(0, &desktop), 0);
    ASSERT_GT(desktop.w, 0) << "this driver reports no desktop size";
    EXPECT_EQ(desktopWidth, desktop.w);
    EXPECT_EQ(GetSystemMetrics(SM_CYSCREEN), desktop.h);
    EXPECT_GT(GetSystemMetrics(SM_CXFULLSCREEN), 0);
    EXPECT_GT(GetSystemMetrics(SM_CYFULLSCREEN), 0);
}

// Dialogs.

constexpr int kListId = 10;
constexpr int kCheckId = 11;

const DialogTemplate kTestDialog{
    "Test dialog",
    "MS Sans Serif",
    8,
    150,
    60,
    {
        {ControlKind::Label, IDC_STATIC, "Choice", 5, 7, 40, 8},
        {ControlKind::DropDownList, kListId, "", 50, 5, 90, 12},
        {ControlKind::CheckBox, kCheckId, "Check", 50, 22, 60, 10},
        {ControlKind::DefaultPushButton, IDOK, "OK", 40, 40, 50, 14},
        {ControlKind::PushButton, IDCANCEL, "Cancel", 95, 40, 50, 14},
    },
};

// What the test dialog procedure saw, and what it does.
struct DialogProbe {
    std::vector<MSG> messages;
    SDL_Event eventToPush{}; // pushed on WM_INITDIALOG when its type is set
    bool endOnInit = false;
    bool throwOnCommand = false;
    // The state of the modal window when the first command came.
    bool shownAtCommand = false;
    int widthAtCommand = 0;
    int heightAtCommand = 0;
    bool glContextAtCommand = false;
} probe;

INT_PTR ProbeDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    probe.messages.push_back(MSG{dialog, message, wParam, lParam});
    if (message == WM_INITDIALOG) {
        if (probe.eventToPush.type != 0) {
            const Uint32 windowId = SDL_GetWindowID(GetSDLWindow(dialog));
            if (probe.eventToPush.type == SDL_WINDOWEVENT) {
                probe.eventToPush.window.windowID = windowId;
            } else {
                probe.eventToPush.key.windowID = windowId;
            }
            SDL_PushEvent(&probe.eventToPush);
        }
        if (probe.endOnInit) EndDialog(dialog, 7);
        return TRUE;
    }
    if (message == WM_COMMAND) {
        if (SDL_Window* window = GetSDLWindow(dialog)) {
            probe.shownAtCommand = (SDL_GetWindowFlags(window) & SDL_WINDOW_SHOWN) != 0;
            SDL_GetWindowSize(window, &probe.widthAtCommand, &probe.heightAtCommand);
        }
        probe.glContextAtCommand = SDL_GL_GetCurrentContext() != nullptr;
        if (probe.throwOnCommand) throw std::runtime_error("thrown by the dialog procedure");
        EndDialog(dialog, 100 + LOWORD(wParam));
        return TRUE;
    }
    return FALSE;
}

std::vector<UINT> CommandsReceived() {
    std::vector<UINT> commands;
    for (const MSG& msg : probe.messages) {
        if (msg.message == WM_COMMAND) commands.push_back(LOWORD(msg.wParam));
    }
    return commands;
}

class Win32Dialog : public ::testing::Test {
protected:
    void SetUp() override {
        probe = DialogProbe{};
        dialog = CreateDialogIndirect(nullptr, kTestDialog, nullptr, ProbeDialogProc, 1234);
        ASSERT_NE(dialog, nullptr);
        list = GetDlgItem(dialog, kListId);
        ASSERT_NE(list, nullptr);
    }
    void TearDown() override {
        DestroyWindow(dialog);
        Win32TestSeam::Clear();
    }

    std::string Text(HWND window, int bufferSize = 256) {
        std::vector<char> buffer(static_cast<std::size_t>(bufferSize), 'x');
        const int length = GetWindowText(window, buffer.data(), bufferSize);
        EXPECT_EQ(length, static_cast<int>(std::strlen(buffer.data())));
        return buffer.data();
    }
    LRESULT Add(const char* item) {
        return SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    }

    HWND dialog = nullptr;
    HWND list = nullptr;
};

TEST_F(Win32Dialog, IsBuiltHiddenAndInitialisedWithTheInitParam) {
    ASSERT_FALSE(probe.messages.empty());
    EXPECT_EQ(probe.messages[0].message, WM_INITDIALOG);
    EXPECT_EQ(probe.messages[0].lParam, 1234);
    EXPECT_EQ(probe.messages[0].wParam, reinterpret_cast<WPARAM>(list)); // first focus control
    EXPECT_EQ(GetSDLWindow(dialog), nullptr);
    EXPECT_NE(GetDlgItem(dialog, IDCANCEL), nullptr);
    EXPECT_EQ(GetDlgItem(dialog, 999), nullptr);
    RECT client{};
    ASSERT_TRUE(GetClientRect(dialog, &client));
    EXPECT_EQ(client.right, 300); // two pixels a dialog unit
    EXPECT_EQ(client.bottom, 120);
}

TEST_F(Win32Dialog, DropDownListsHoldItemsAndOneSelection) {
    EXPECT_EQ(SendMessage(list, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(list), "");
    EXPECT_EQ(Add("alpha"), 0);
    EXPECT_EQ(Add("beta"), 1);
    EXPECT_EQ(Add("a longer item"), 2);
    EXPECT_EQ(SendMessage(list, CB_GETCOUNT, 0, 0), 3);

    EXPECT_EQ(SendMessage(list, CB_SETCURSEL, 1, 0), 1);
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(Text(list), "beta");
    EXPECT_EQ(SendMessage(list, CB_SETCURSEL, 3, 0), CB_ERR);
    EXPECT_EQ(SendMessage(list, CB_GETCURSEL, 0, 0), CB_ERR);
    EXPECT_EQ(Text(list), "");

    SendMessage(list, CB_SETCURSEL, 2, 0);
    EXPECT_EQ(Text(list, 5), "a lo"); // truncated to the buffer, terminated
    char item[32];
    EXPECT_EQ(SendMessage(list, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(item)), 5);
    EXPECT_STREQ(item, "alpha");
    EXPECT_EQ(SendMessage(list, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(item)), CB_ERR);
    EXPECT_EQ(SendMessage(list, CB_GETLBTEXTLEN, 2, 0), 13);
}

TEST_F(Win32Dialog, GetWindowTextFailsForNoWindowAndWhenTheSeamSays) {
    char buffer[16];
    EXPECT_EQ(GetWindowText(nullptr, buffer, sizeof buffer), -1);
    EXPECT_EQ(Text(GetDlgItem(dialog, kCheckId)), "Check");
    Win32TestSeam::FailNextGetWindowText(GetDlgItem(dialog, kCheckId));
    EXPECT_EQ(Text(list), ""); // another window reads as usual
    EXPECT_EQ(GetWindowText(GetDlgItem(dialog, kCheckId), buffer, sizeof buffer), -1);
    EXPECT_EQ(Text(GetDlgItem(dialog, kCheckId)), "Check"); // once only
    Win32TestSeam::FailNextGetWindowText();
    EXPECT_EQ(GetWindowText(list, buffer, sizeof buffer), -1);
}

TEST_F(Win32Dialog, CheckBoxesKeepTheirState) {
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheckId), BST_UNCHECKED);
    EXPECT_TRUE(CheckDlgButton(dialog, kCheckId, BST_CHECKED));
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheckId), BST_CHECKED);
    EXPECT_EQ(SendMessage(GetDlgItem(dialog, kCheckId), BM_GETCHECK, 0, 0), LRESULT{BST_CHECKED});
    SendMessage(GetDlgItem(dialog, kCheckId), BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ(IsDlgButtonChecked(dialog, kCheckId), BST_UNCHECKED);
    EXPECT_FALSE(CheckDlgButton(dialog, 999, BST_CHECKED));
}

TEST_F(Win32Dialog, CommandsReachTheProcedureAndEndDialogRecordsTheResult) {
    probe.messages.clear();
    EXPECT_EQ(GetDialogResult(dialog), -1);
    SendDialogCommand(dialog, kCheckId);
    ASSERT_EQ(probe.messages.size(), 1u);
    EXPECT_EQ(probe.messages[0].message, WM_COMMAND);
    EXPECT_EQ(LOWORD(probe.messages[0].wParam), kCheckId);
    EXPECT_EQ(HIWORD(probe.messages[0].wParam), BN_CLICKED);
    EXPECT_EQ(probe.messages[0].lParam, reinterpret_cast<LPARAM>(GetDlgItem(dialog, kCheckId)));
    EXPECT_EQ(GetDialogResult(dialog), 100 + kCheckId);
}

TEST_F(Win32Dialog, TheCloseBoxCancels) {
    probe.messages.clear();
    SendMessage(dialog, WM_CLOSE, 0, 0);
    EXPECT_EQ(CommandsReceived(), std::vector<UINT>{IDCANCEL});
    EXPECT_EQ(GetDialogResult(dialog), 100 + IDCANCEL);
    EXPECT_TRUE(IsWindow(dialog)); // a dialog is ended, not destroyed, by its close box
}

TEST_F(Win32Dialog, DestroyingTheDialogDestroysItsControls) {
    ASSERT_TRUE(DestroyWindow(dialog));
    EXPECT_EQ(probe.messages.back().message, WM_DESTROY);
    EXPECT_FALSE(IsWindow(list));
    EXPECT_FALSE(IsWindow(dialog));
}

INT_PTR ThrowingInitProc(HWND dialog, UINT message, WPARAM, LPARAM) {
    probe.messages.push_back(MSG{dialog, message, 0, 0});
    if (message == WM_INITDIALOG) throw std::runtime_error("init failed");
    return FALSE;
}

TEST(Win32DialogInit, AnExceptionInInitDialogDestroysTheDialogAndGoesOn) {
    probe = DialogProbe{};
    EXPECT_THROW(CreateDialogIndirect(nullptr, kTestDialog, nullptr, ThrowingInitProc, 0),
                 std::runtime_error);
    ASSERT_EQ(probe.messages.size(), 2u);
    EXPECT_EQ(probe.messages[1].message, WM_DESTROY);
    EXPECT_FALSE(IsWindow(probe.messages[0].hwnd));
}

// Modal dialogs, in a real (offscreen) window with its own GL context.

constexpr int kTestTemplateId = 4711;

class Win32ModalDialog : public ::testing::Test {
protected:
    void SetUp() override {
        probe = DialogProbe{};
        RegisterDialogTemplate(kTestTemplateId, kTestDialog);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
        SDL_FlushEvents(SDL_FIRSTEVENT, SDL_LASTEVENT);
    }
    void TearDown() override {
        SDL_QuitSubSystem(SDL_INIT_EVENTS);
        TakeQueuedMessages();
    }

    static INT_PTR RunDialog() {
        return DialogBoxParam(GetModuleHandle(nullptr), MAKEINTRESOURCE(kTestTemplateId), nullptr,
                              ProbeDialogProc, 0);
    }
    static void ExpectTornDown() {
        ASSERT_FALSE(probe.messages.empty());
        EXPECT_EQ(probe.messages.back().message, WM_DESTROY);
        EXPECT_FALSE(IsWindow(probe.messages.front().hwnd));
        EXPECT_EQ(ImGui::GetCurrentContext(), nullptr);
        EXPECT_EQ(SDL_GL_GetCurrentContext(), nullptr);
    }
};

TEST_F(Win32ModalDialog, RunsUntilAKeyOrTheCloseBoxEndsIt) {
    const struct {
        const char* name;
        Uint32 type;
        SDL_Keycode key;
        UINT command;
    } cases[] = {
        {"Enter presses the default button", SDL_KEYDOWN, SDLK_RETURN, IDOK},
        {"Escape cancels", SDL_KEYDOWN, SDLK_ESCAPE, IDCANCEL},
        {"the close box cancels", SDL_WINDOWEVENT, 0, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        probe = DialogProbe{};
        probe.eventToPush.type = c.type;
        if (c.type == SDL_KEYDOWN) {
            probe.eventToPush.key.keysym.sym = c.key;
            probe.eventToPush.key.state = SDL_PRESSED;
        } else {
            probe.eventToPush.window.event = SDL_WINDOWEVENT_CLOSE;
        }

        EXPECT_EQ(RunDialog(), 100 + c.command);
        EXPECT_EQ(CommandsReceived(), std::vector<UINT>{c.command});
        EXPECT_TRUE(probe.shownAtCommand);
        EXPECT_EQ(probe.widthAtCommand, 300);
        EXPECT_EQ(probe.heightAtCommand, 120);
        EXPECT_TRUE(probe.glContextAtCommand);
        ExpectTornDown();
    }
}

TEST_F(Win32ModalDialog, EndedWhileInitialisingItIsNeverShown) {
    probe.endOnInit = true;
    EXPECT_EQ(RunDialog(), 7);
    EXPECT_TRUE(CommandsReceived().empty());
    ExpectTornDown();
}

TEST_F(Win32ModalDialog, AnExceptionFromTheProcedureLeavesAfterTheTeardown) {
    probe.throwOnCommand = true;
    probe.eventToPush.type = SDL_KEYDOWN;
    probe.eventToPush.key.keysym.sym = SDLK_RETURN;
    EXPECT_THROW(RunDialog(), std::runtime_error);
    ExpectTornDown();

    probe = DialogProbe{};
    probe.endOnInit = true;
    EXPECT_EQ(RunDialog(), 7); // and the next dialog runs as usual
}

TEST_F(Win32ModalDialog, AnUnknownTemplateRunsNothing) {
    EXPECT_EQ(DialogBoxParam(nullptr, MAKEINTRESOURCE(4712), nullptr, ProbeDialogProc, 0), -1);
    EXPECT_TRUE(probe.messages.empty());
}

} // namespace
