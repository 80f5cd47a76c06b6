// The message queue: posted messages and translated SDL events in one FIFO.
#include "Platform/Win32/Win32State.h"

#include <SDL.h>

#include <algorithm>

namespace {

void PumpSDLEvents() {
    if (SDL_WasInit(SDL_INIT_EVENTS) == 0) return;
    SDL_Event event;
    while (SDL_PollEvent(&event) != 0)
        QueueMessagesFor(event);
}

bool BelongsTo(HWND messageWindow, HWND filter) {
    for (Window* window = LiveWindow(messageWindow); window != nullptr; window = window->parent) {
        if (window == filter) return true;
    }
    return false;
}

bool PassesFilter(const MSG& msg, HWND window, UINT filterMin, UINT filterMax) {
    if (window != nullptr && !BelongsTo(msg.hwnd, window)) return false;
    if (filterMin == 0 && filterMax == 0) return true;
    return msg.message >= filterMin && msg.message <= filterMax;
}

} // namespace

BOOL PeekMessage(MSG* msg, HWND window, UINT filterMin, UINT filterMax, UINT removeMessage) {
    if (msg == nullptr) return FALSE;
    PumpSDLEvents();
    auto& queue = State().queue;
    const auto found = std::find_if(queue.begin(), queue.end(), [&](const MSG& queued) {
        return PassesFilter(queued, window, filterMin, filterMax);
    });
    if (found == queue.end()) return FALSE;
    *msg = *found;
    if ((removeMessage & PM_REMOVE) != 0) queue.erase(found);
    return TRUE;
}

BOOL TranslateMessage(const MSG* msg) {
    if (msg == nullptr) return FALSE;
    switch (msg->message) {
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
        return TRUE;
    default:
        return FALSE;
    }
}

LRESULT DispatchMessage(const MSG* msg) {
    if (msg == nullptr) return 0;
    Window* window = LiveWindow(msg->hwnd);
    return window != nullptr ? SendToWindow(window, msg->message, msg->wParam, msg->lParam) : 0;
}

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window != nullptr && LiveWindow(window) == nullptr) return FALSE;
    State().queue.push_back(MSG{window, message, wParam, lParam});
    return TRUE;
}

void PostQuitMessage(int exitCode) {
    State().queue.push_back(MSG{nullptr, WM_QUIT, static_cast<WPARAM>(exitCode), 0});
}
