// SDL events as the Win32 messages they stand for.
#include "Platform/Win32/VirtualKeys.h"
#include "Platform/Win32/Win32State.h"

#include <SDL.h>

namespace {

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    State().queue.push_back(MSG{window, message, wParam, lParam});
}

// Input goes to the window SDL names, or to the focus window when SDL names none of ours.
HWND InputTarget(Uint32 windowId) {
    if (Window* window = WindowFromSDLId(windowId)) return window;
    return LiveWindow(State().focus);
}

LPARAM PointerPosition(Sint32 x, Sint32 y) {
    return MAKELPARAM(static_cast<WORD>(x & 0xFFFF), static_cast<WORD>(y & 0xFFFF));
}

WPARAM ButtonFlag(Uint8 button) {
    switch (button) {
    case SDL_BUTTON_LEFT:
        return MK_LBUTTON;
    case SDL_BUTTON_MIDDLE:
        return MK_MBUTTON;
    case SDL_BUTTON_RIGHT:
        return MK_RBUTTON;
    default:
        return 0;
    }
}

WPARAM ButtonFlags(Uint32 sdlButtonState) {
    WPARAM flags = 0;
    if ((sdlButtonState & SDL_BUTTON_LMASK) != 0) flags |= MK_LBUTTON;
    if ((sdlButtonState & SDL_BUTTON_MMASK) != 0) flags |= MK_MBUTTON;
    if ((sdlButtonState & SDL_BUTTON_RMASK) != 0) flags |= MK_RBUTTON;
    return flags;
}

UINT ButtonMessage(WPARAM flag, bool down) {
    if (flag == MK_LBUTTON) return down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
    if (flag == MK_MBUTTON) return down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
    return down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
}

void QueueKey(const SDL_KeyboardEvent& key) {
    const int virtualKey = VirtualKeyFromSDL(key.keysym);
    HWND target = InputTarget(key.windowID);
    if (virtualKey == 0 || target == nullptr) return;

    const bool down = key.type == SDL_KEYDOWN;
    const bool altHeld = (key.keysym.mod & KMOD_ALT) != 0;
    // Alt combinations, Alt itself and F10 are system keys, as the Win32 menu loop sees them.
    const bool system = altHeld || virtualKey == VK_MENU || virtualKey == VK_F10;
    const UINT message =
        system ? (down ? WM_SYSKEYDOWN : WM_SYSKEYUP) : (down ? WM_KEYDOWN : WM_KEYUP);

    // Key-message lParam: repeat count 1, context code (Alt held), previous state, transition.
    DWORD flags = 1;
    if (altHeld) flags |= 1u << 29;
    if (!down || key.repeat != 0) flags |= 1u << 30;
    if (!down) flags |= 1u << 31;
    Post(target, message, static_cast<WPARAM>(virtualKey), static_cast<LPARAM>(flags));
}

void QueueMouseMotion(const SDL_MouseMotionEvent& motion) {
    HWND target = InputTarget(motion.windowID);
    if (target == nullptr) return;
    State().mouseButtons = ButtonFlags(motion.state);
    Post(target, WM_MOUSEMOVE, State().mouseButtons, PointerPosition(motion.x, motion.y));
}

void QueueMouseButton(const SDL_MouseButtonEvent& button) {
    const WPARAM flag = ButtonFlag(button.button);
    HWND target = InputTarget(button.windowID);
    if (flag == 0 || target == nullptr) return;
    const bool down = button.type == SDL_MOUSEBUTTONDOWN;
    // The key-state flags tell the buttons held after this change.
    WPARAM& held = State().mouseButtons;
    held = down ? (held | flag) : (held & ~flag);
    Post(target, ButtonMessage(flag, down), held, PointerPosition(button.x, button.y));
}

void QueueWindowEvent(const SDL_WindowEvent& event) {
    Window* window = WindowFromSDLId(event.windowID);
    if (window == nullptr) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_CLOSE:
        Post(window, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_MINIMIZED:
        Post(window, WM_SIZE, SIZE_MINIMIZED, 0);
        break;
    case SDL_WINDOWEVENT_RESTORED: {
        int width = 0;
        int height = 0;
        SDL_GetWindowSize(window->sdlWindow, &width, &height);
        Post(window, WM_SIZE, SIZE_RESTORED,
             MAKELPARAM(static_cast<WORD>(width), static_cast<WORD>(height)));
        break;
    }
    default:
        break;
    }
}

// A request to quit the program (the last window's close box, a signal): every top-level window
// is asked to close, as the session manager does on Windows.
void QueueQuitRequest() {
    for (const auto& window : State().windows) {
        if (window->kind == WindowKind::TopLevel) Post(window.get(), WM_CLOSE, 0, 0);
    }
}

} // namespace

void QueueMessagesFor(const SDL_Event& event) {
    switch (event.type) {
    case SDL_QUIT:
        QueueQuitRequest();
        break;
    case SDL_WINDOWEVENT:
        QueueWindowEvent(event.window);
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        QueueKey(event.key);
        break;
    case SDL_MOUSEMOTION:
        QueueMouseMotion(event.motion);
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        QueueMouseButton(event.button);
        break;
    default:
        break;
    }
}
