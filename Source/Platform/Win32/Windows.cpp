// Window classes and top-level windows over SDL windows.
#include "Platform/Win32/Win32State.h"

#include <SDL.h>

#include <algorithm>
#include <cctype>
#include <utility>

namespace {

std::string ClassKey(const char* name) {
    std::string key = name;
    std::transform(key.begin(), key.end(), key.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return key;
}

bool ClassHasWindows(const std::string& key) {
    return std::any_of(State().windows.begin(), State().windows.end(), [&](const auto& window) {
        return window->kind == WindowKind::TopLevel && ClassKey(window->className.c_str()) == key;
    });
}

Uint32 SDLWindowFlags(DWORD style) {
    // Always a hidden GL window: the graphics layer makes its context before showing it.
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN;
    if ((style & WS_POPUP) != 0) flags |= SDL_WINDOW_BORDERLESS;
    if ((style & WS_THICKFRAME) != 0) flags |= SDL_WINDOW_RESIZABLE;
    return flags;
}

void ForgetWindow(Window* window) {
    auto& state = State();
    std::erase_if(state.queue, [&](const MSG& msg) { return msg.hwnd == window; });
    if (state.focus == window) state.focus = nullptr;
    if (window->parent != nullptr) std::erase(window->parent->children, window);
    if (window->sdlWindow != nullptr) SDL_DestroyWindow(window->sdlWindow);
    std::erase_if(state.windows, [&](const auto& owned) { return owned.get() == window; });
}

} // namespace

ATOM RegisterClassEx(const WNDCLASSEX* windowClass) {
    if (windowClass == nullptr || windowClass->cbSize != sizeof(WNDCLASSEX) ||
        windowClass->lpszClassName == nullptr || windowClass->lpfnWndProc == nullptr) {
        return 0;
    }
    auto& state = State();
    const bool added =
        state.classes
            .try_emplace(ClassKey(windowClass->lpszClassName),
                         WindowClass{windowClass->lpszClassName, windowClass->lpfnWndProc})
            .second;
    return added ? state.nextAtom++ : 0;
}

BOOL UnregisterClass(const char* className, HINSTANCE) {
    if (className == nullptr) return FALSE;
    const std::string key = ClassKey(className);
    // As in Win32, a class cannot go while windows of it exist.
    if (ClassHasWindows(key)) return FALSE;
    return State().classes.erase(key) != 0 ? TRUE : FALSE;
}

HWND CreateWindowEx(DWORD, const char* className, const char* title, DWORD style, int x, int y,
                    int width, int height, HWND, HMENU, HINSTANCE, void*) {
    if (className == nullptr) return nullptr;
    const auto found = State().classes.find(ClassKey(className));
    if (found == State().classes.end() || !EnsureVideo()) return nullptr;

    // The window manager owns the decorations, so the outer size given is the client size.
    SDL_Window* sdlWindow =
        SDL_CreateWindow(title != nullptr ? title : "", x, y, std::max(width, 1),
                         std::max(height, 1), SDLWindowFlags(style));
    if (sdlWindow == nullptr) return nullptr;

    auto window = std::make_unique<Window>();
    window->kind = WindowKind::TopLevel;
    window->text = title != nullptr ? title : "";
    window->procedure = found->second.procedure;
    window->className = found->second.name;
    window->sdlWindow = sdlWindow;
    State().windows.push_back(std::move(window));
    return State().windows.back().get();
}

BOOL DestroyWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || window->destroying || window->dialog.modal) return FALSE;
    window->destroying = true;
    // Win32 order: the window hears WM_DESTROY first, then its children are destroyed.
    SendToWindow(window, WM_DESTROY, 0, 0);
    for (Window* child : std::vector<Window*>(window->children))
        DestroyWindow(child);
    ForgetWindow(window);
    return TRUE;
}

BOOL IsWindow(HWND handle) {
    return LiveWindow(handle) != nullptr ? TRUE : FALSE;
}

BOOL ShowWindow(HWND handle, int command) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || window->sdlWindow == nullptr) return FALSE;
    const bool wasVisible = (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN) != 0;
    if (command == SW_HIDE) {
        SDL_HideWindow(window->sdlWindow);
    } else {
        SDL_ShowWindow(window->sdlWindow);
    }
    return wasVisible ? TRUE : FALSE;
}

HWND SetFocus(HWND handle) {
    Window* window = LiveWindow(handle);
    if (window == nullptr) return nullptr;
    HWND previous = State().focus;
    State().focus = window;
    if (window->sdlWindow != nullptr &&
        (SDL_GetWindowFlags(window->sdlWindow) & SDL_WINDOW_SHOWN) != 0) {
        SDL_RaiseWindow(window->sdlWindow);
    }
    return previous;
}

// The graphics layer presents every frame itself; there is no invalid region to paint.
BOOL UpdateWindow(HWND handle) {
    return LiveWindow(handle) != nullptr ? TRUE : FALSE;
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD, BOOL, DWORD) {
    return rect != nullptr ? TRUE : FALSE;
}

BOOL GetClientRect(HWND handle, RECT* rect) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || rect == nullptr) return FALSE;
    int width = 0;
    int height = 0;
    if (window->sdlWindow != nullptr) {
        SDL_GetWindowSize(window->sdlWindow, &width, &height);
    } else {
        width = (window->dialogUnits.right - window->dialogUnits.left) * kPixelsPerDialogUnit;
        height = (window->dialogUnits.bottom - window->dialogUnits.top) * kPixelsPerDialogUnit;
    }
    *rect = RECT{0, 0, width, height};
    return TRUE;
}

LRESULT DefWindowProc(HWND handle, UINT message, WPARAM, LPARAM) {
    if (message == WM_CLOSE) DestroyWindow(handle);
    return 0;
}

LONG_PTR SetWindowLongPtr(HWND handle, int index, LONG_PTR value) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || index != GWLP_USERDATA) return 0;
    return std::exchange(window->userData, value);
}

LONG_PTR GetWindowLongPtr(HWND handle, int index) {
    Window* window = LiveWindow(handle);
    if (window == nullptr || index != GWLP_USERDATA) return 0;
    return window->userData;
}

LRESULT SendToWindow(Window* window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (window->kind) {
    case WindowKind::TopLevel:
        return window->procedure(window, message, wParam, lParam);
    case WindowKind::Dialog:
        return SendDialogMessage(window, message, wParam, lParam);
    case WindowKind::Control:
        return SendControlMessage(window, message, wParam, lParam);
    }
    return 0;
}

SDL_Window* GetSDLWindow(HWND handle) {
    Window* window = LiveWindow(handle);
    return window != nullptr ? window->sdlWindow : nullptr;
}
