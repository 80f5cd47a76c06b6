// Module and resource handles, system metrics, the cursor, message boxes and Sleep.
#include "Platform/Win32/Win32State.h"
#include "Platform/Win32/Win32TestSeam.h"

#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <thread>

namespace {

// Where SDL cannot tell a display's size at all.
constexpr Win32TestSeam::Size kFallbackDisplaySize{1024, 768};

Win32TestSeam::Size WorkArea() {
    if (auto size = Win32TestSeam::WorkAreaOverride()) return *size;
    SDL_Rect bounds{};
    if (EnsureVideo() && SDL_GetDisplayUsableBounds(0, &bounds) == 0 && bounds.w > 0 &&
        bounds.h > 0) {
        return {bounds.w, bounds.h};
    }
    return kFallbackDisplaySize;
}

Win32TestSeam::Size DesktopSize() {
    if (auto size = Win32TestSeam::DesktopSizeOverride()) return *size;
    SDL_DisplayMode mode{};
    if (EnsureVideo() && SDL_GetDesktopDisplayMode(0, &mode) == 0 && mode.w > 0 && mode.h > 0) {
        return {mode.w, mode.h};
    }
    return WorkArea();
}

// The offscreen and dummy drivers have no screen a box could appear on.
bool CanShowMessageBox() {
    if (!EnsureVideo()) return false;
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver != nullptr && std::strcmp(driver, "offscreen") != 0 &&
           std::strcmp(driver, "dummy") != 0;
}

} // namespace

HINSTANCE GetModuleHandle(const char*) {
    static Instance program;
    return &program;
}

HICON LoadIcon(HINSTANCE, const char*) {
    static IconResource icon;
    return &icon;
}

HCURSOR LoadCursor(HINSTANCE, const char*) {
    static CursorResource cursor;
    return &cursor;
}

HBRUSH GetStockObject(int) {
    static BrushResource brush;
    return &brush;
}

int GetSystemMetrics(int index) {
    switch (index) {
    case SM_CXSCREEN:
        return DesktopSize().width;
    case SM_CYSCREEN:
        return DesktopSize().height;
    case SM_CXFULLSCREEN:
        return WorkArea().width;
    case SM_CYFULLSCREEN:
        return WorkArea().height;
    default:
        return 0;
    }
}

int ShowCursor(BOOL show) {
    State().cursorCount += show != FALSE ? 1 : -1;
    ApplyCursorVisibility();
    return State().cursorCount;
}

int MessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    text = text != nullptr ? text : "";
    caption = caption != nullptr ? caption : "Error";
    if (Win32TestSeam::RecordMessageBox(caption, text)) return IDOK;

    const Uint32 flags =
        (type & MB_ICONERROR) != 0 ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION;
    if (!CanShowMessageBox() ||
        SDL_ShowSimpleMessageBox(flags, caption, text, GetSDLWindow(owner)) != 0) {
        // Nobody would see a box: keep the failure visible on standard error.
        std::fprintf(stderr, "%s: %s\n", caption, text);
        std::fflush(stderr);
    }
    return IDOK;
}

void Sleep(DWORD milliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
