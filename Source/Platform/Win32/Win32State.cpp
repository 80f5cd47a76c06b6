#include "Platform/Win32/Win32State.h"

#include <SDL.h>

Win32State& State() {
    static Win32State state;
    return state;
}

Window* LiveWindow(HWND handle) {
    if (handle == nullptr) return nullptr;
    for (const auto& window : State().windows) {
        if (window.get() == handle) return window.get();
    }
    return nullptr;
}

Window* WindowFromSDLId(std::uint32_t windowId) {
    if (windowId == 0) return nullptr;
    for (const auto& window : State().windows) {
        if (window->sdlWindow != nullptr && SDL_GetWindowID(window->sdlWindow) == windowId) {
            return window.get();
        }
    }
    return nullptr;
}

bool EnsureVideo() {
    // The layer holds one reference of its own, so that others quitting the video subsystem
    // (the graphics layer does on release) leave the windows standing.
    bool& holdsVideo = State().holdsVideo;
    if (holdsVideo && SDL_WasInit(SDL_INIT_VIDEO) != 0) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        // No display server answered: run on the offscreen driver rather than not at all.
        SDL_SetHintWithPriority(SDL_HINT_VIDEODRIVER, "offscreen", SDL_HINT_OVERRIDE);
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    }
    holdsVideo = true;
    ApplyCursorVisibility();
    return true;
}

void ApplyCursorVisibility() {
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) return;
    SDL_ShowCursor(State().cursorCount >= 0 ? SDL_ENABLE : SDL_DISABLE);
}
