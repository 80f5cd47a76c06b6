// The state of the Win32 layer, kept in one place: window classes, windows (top-level windows,
// dialogs and their controls share one record), the message queue, the dialog templates.
// Internal to Platform/Win32.
#pragma once

#include "Platform/Win32/Dialog.h"

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

union SDL_Event;

// Controls and dialogs have no pixels of their own: one dialog unit is this many pixels.
constexpr int kPixelsPerDialogUnit = 2;

enum class WindowKind { TopLevel, Dialog, Control };

struct WindowClass {
    std::string name;
    WNDPROC procedure;
};

struct DialogState {
    DLGPROC procedure = nullptr;
    INT_PTR result = -1;
    bool ended = false;
    bool modal = false; // shown by DialogBoxParam, whose view owns the SDL window
};

struct ControlState {
    ControlKind kind = ControlKind::Label;
    int id = IDC_STATIC;
    std::vector<std::string> items; // drop-down lists
    int selection = -1;
    WPARAM check = BST_UNCHECKED; // check boxes
};

struct Window {
    WindowKind kind = WindowKind::TopLevel;
    std::string text; // title, dialog caption or control text
    LONG_PTR userData = 0;
    bool destroying = false;

    // Top-level windows.
    WNDPROC procedure = nullptr;
    std::string className;
    SDL_Window* sdlWindow = nullptr;

    // Dialogs and controls: the layout in dialog units, relative to the dialog.
    RECT dialogUnits{};
    Window* parent = nullptr;
    std::vector<Window*> children;
    DialogState dialog;
    ControlState control;
};

struct Instance {};
struct IconResource {};
struct CursorResource {};
struct BrushResource {};

struct Win32State {
    std::map<std::string, WindowClass> classes; // keyed by lower-case name, as Win32 compares them
    ATOM nextAtom = 0xC000;
    std::vector<std::unique_ptr<Window>> windows;
    std::deque<MSG> queue;
    HWND focus = nullptr;
    WPARAM mouseButtons = 0; // MK_ flags of the buttons held, as the button events left them
    int cursorCount = 0;
    bool holdsVideo = false; // a reference on SDL's video subsystem is ours
    std::map<int, DialogTemplate> dialogTemplates;
};

Win32State& State();

// The window record behind a handle, or null when the handle is not a live window.
Window* LiveWindow(HWND handle);
// The window whose SDL window has this id, or null.
Window* WindowFromSDLId(std::uint32_t windowId);
// Takes the layer's own reference on SDL's video subsystem, once; false when no driver opens.
bool EnsureVideo();
// Shows or hides the SDL cursor as the display counter says.
void ApplyCursorVisibility();

// Delivers a message the way SendMessage does: a top-level window's class procedure, a dialog's
// procedure with the default dialog handling, a control's own handling.
LRESULT SendToWindow(Window* window, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendDialogMessage(Window* dialog, UINT message, WPARAM wParam, LPARAM lParam);
LRESULT SendControlMessage(Window* control, UINT message, WPARAM wParam, LPARAM lParam);

// Turns one SDL event into the messages it stands for, appended to the queue.
void QueueMessagesFor(const SDL_Event& event);
