// The part of the Win32 API the framework uses, over SDL2.
//
// Windows, the message queue and the window procedure behave as on Windows: SDL events become
// Windows-style messages (with Windows virtual-key codes) that PeekMessage hands out one at a
// time and DispatchMessage delivers to the window procedure of the window's class. Message
// boxes use SDL's message box, or print "caption: text" on standard error when there is no
// display to show one on.
#pragma once

#include <cstdint>

struct SDL_Window;

using BOOL = int;
using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using INT = std::int32_t;
using LONG = std::int32_t;
using ATOM = WORD;
using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using LONG_PTR = std::intptr_t;

constexpr BOOL TRUE = 1;
constexpr BOOL FALSE = 0;

struct Window;
struct Instance;
struct IconResource;
struct CursorResource;
struct BrushResource;
using HWND = Window*;
using HINSTANCE = Instance*;
using HICON = IconResource*;
using HCURSOR = CursorResource*;
using HBRUSH = BrushResource*;
using HMENU = void*;

using WNDPROC = LRESULT (*)(HWND, UINT, WPARAM, LPARAM);
using DLGPROC = INT_PTR (*)(HWND, UINT, WPARAM, LPARAM);

struct RECT {
    LONG left, top, right, bottom;
};

struct MSG {
    HWND hwnd;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

struct WNDCLASSEX {
    UINT cbSize;
    UINT style;
    WNDPROC lpfnWndProc;
    int cbClsExtra;
    int cbWndExtra;
    HINSTANCE hInstance;
    HICON hIcon;
    HCURSOR hCursor;
    HBRUSH hbrBackground;
    const char* lpszMenuName;
    const char* lpszClassName;
    HICON hIconSm;
};

// Messages.
constexpr UINT WM_DESTROY = 0x0002;
constexpr UINT WM_SIZE = 0x0005;
constexpr UINT WM_CLOSE = 0x0010;
constexpr UINT WM_QUIT = 0x0012;
constexpr UINT WM_KEYDOWN = 0x0100;
constexpr UINT WM_KEYUP = 0x0101;
constexpr UINT WM_CHAR = 0x0102;
constexpr UINT WM_SYSKEYDOWN = 0x0104;
constexpr UINT WM_SYSKEYUP = 0x0105;
constexpr UINT WM_INITDIALOG = 0x0110;
constexpr UINT WM_COMMAND = 0x0111;
constexpr UINT WM_MOUSEMOVE = 0x0200;
constexpr UINT WM_LBUTTONDOWN = 0x0201;
constexpr UINT WM_LBUTTONUP = 0x0202;
constexpr UINT WM_RBUTTONDOWN = 0x0204;
constexpr UINT WM_RBUTTONUP = 0x0205;
constexpr UINT WM_MBUTTONDOWN = 0x0207;
constexpr UINT WM_MBUTTONUP = 0x0208;

// WM_SIZE size types.
constexpr WPARAM SIZE_RESTORED = 0;
constexpr WPARAM SIZE_MINIMIZED = 1;

// Key-state flags of the mouse messages' wParam.
constexpr WPARAM MK_LBUTTON = 0x0001;
constexpr WPARAM MK_RBUTTON = 0x0002;
constexpr WPARAM MK_MBUTTON = 0x0010;

// Virtual-key codes (letters and digits are their upper-case ASCII codes).
constexpr int VK_BACK = 0x08;
constexpr int VK_TAB = 0x09;
constexpr int VK_RETURN = 0x0D;
constexpr int VK_SHIFT = 0x10;
constexpr int VK_CONTROL = 0x11;
constexpr int VK_MENU = 0x12;
constexpr int VK_ESCAPE = 0x1B;
constexpr int VK_SPACE = 0x20;
constexpr int VK_LEFT = 0x25;
constexpr int VK_UP = 0x26;
constexpr int VK_RIGHT = 0x27;
constexpr int VK_DOWN = 0x28;
constexpr int VK_F1 = 0x70; // F2 to F12 follow
constexpr int VK_F10 = 0x79;

// Window class and window styles.
constexpr UINT CS_OWNDC = 0x0020;
constexpr UINT CS_CLASSDC = 0x0040;
constexpr DWORD WS_POPUP = 0x80000000;
constexpr DWORD WS_CLIPSIBLINGS = 0x04000000;
constexpr DWORD WS_CLIPCHILDREN = 0x02000000;
constexpr DWORD WS_CAPTION = 0x00C00000;
constexpr DWORD WS_SYSMENU = 0x00080000;
constexpr DWORD WS_THICKFRAME = 0x00040000;
constexpr DWORD WS_MINIMIZEBOX = 0x00020000;
constexpr DWORD WS_MAXIMIZEBOX = 0x00010000;
constexpr DWORD WS_EX_WINDOWEDGE = 0x00000100;
constexpr DWORD WS_EX_APPWINDOW = 0x00040000;

// ShowWindow commands.
constexpr int SW_HIDE = 0;
constexpr int SW_SHOWNORMAL = 1;
constexpr int SW_SHOW = 5;

// PeekMessage options.
constexpr UINT PM_NOREMOVE = 0x0000;
constexpr UINT PM_REMOVE = 0x0001;

// GetSystemMetrics indices.
constexpr int SM_CXSCREEN = 0;
constexpr int SM_CYSCREEN = 1;
constexpr int SM_CXFULLSCREEN = 16;
constexpr int SM_CYFULLSCREEN = 17;

// Message box types and results.
constexpr UINT MB_OK = 0x00000000;
constexpr UINT MB_OKCANCEL = 0x00000001;
constexpr UINT MB_ICONERROR = 0x00000010;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;

// Stock objects and resources.
constexpr int WHITE_BRUSH = 0;
constexpr int IDI_APPLICATION = 32512;
inline const char* MAKEINTRESOURCE(int id) {
    return reinterpret_cast<const char*>(static_cast<std::uintptr_t>(id));
}

inline WORD LOWORD(std::uintptr_t v) {
    return static_cast<WORD>(v & 0xFFFF);
}
inline WORD HIWORD(std::uintptr_t v) {
    return static_cast<WORD>((v >> 16) & 0xFFFF);
}
inline WPARAM MAKEWPARAM(WORD low, WORD high) {
    return static_cast<WPARAM>(low | (DWORD{high} << 16));
}
inline LPARAM MAKELPARAM(WORD low, WORD high) {
    return static_cast<LPARAM>(low | (DWORD{high} << 16));
}

// Window data slots.
constexpr int GWLP_USERDATA = -21;

// Window classes and windows.
ATOM RegisterClassEx(const WNDCLASSEX* windowClass);
BOOL UnregisterClass(const char* className, HINSTANCE instance);
HWND CreateWindowEx(DWORD exStyle, const char* className, const char* title, DWORD style, int x,
                    int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                    void* param);
// Sends WM_DESTROY to the window procedure, then destroys the window and its controls. A dialog
// shown by DialogBoxParam is refused (FALSE): end it with EndDialog.
BOOL DestroyWindow(HWND window);
BOOL IsWindow(HWND window);
BOOL ShowWindow(HWND window, int command);
HWND SetFocus(HWND window);
BOOL UpdateWindow(HWND window);
BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL menu, DWORD exStyle);
BOOL GetClientRect(HWND window, RECT* rect);
// WM_CLOSE destroys the window; every other message is ignored (0).
LRESULT DefWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// GWLP_USERDATA only; other slots read and write nothing (0).
LONG_PTR SetWindowLongPtr(HWND window, int index, LONG_PTR value);
LONG_PTR GetWindowLongPtr(HWND window, int index);

// The message queue: one FIFO shared by all windows. PeekMessage first turns the pending SDL events
// into messages (window close -> WM_CLOSE, minimize/restore -> WM_SIZE, keys, mouse), then hands
// out the first message that passes the filters (window null: any; range 0, 0: any).
BOOL PeekMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage);
// Returns TRUE for key messages; no WM_CHAR is generated (nothing here reads characters).
BOOL TranslateMessage(const MSG* msg);
LRESULT DispatchMessage(const MSG* msg);
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void PostQuitMessage(int exitCode);

// System.
HINSTANCE GetModuleHandle(const char* moduleName);
HICON LoadIcon(HINSTANCE instance, const char* name);
HCURSOR LoadCursor(HINSTANCE instance, const char* name);
HBRUSH GetStockObject(int object);
// SM_CXSCREEN/SM_CYSCREEN: the desktop mode of display 0; SM_CXFULLSCREEN/SM_CYFULLSCREEN: its
// usable bounds. Drivers that report no size (offscreen) give the usable bounds, or 1024 x 768.
int GetSystemMetrics(int index);
// The display counter: starts at 0, the cursor shows while it is 0 or more. Returns the new count.
int ShowCursor(BOOL show);
// Returns IDOK once the box is closed, or at once where the box was printed instead.
int MessageBox(HWND owner, const char* text, const char* caption, UINT type);
void Sleep(DWORD milliseconds);

// What the graphics layer needs of a window.
SDL_Window* GetSDLWindow(HWND window);
