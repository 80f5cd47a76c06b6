// A dialog shown modally in a small window of its own: an OpenGL 3.3 core context and a Dear ImGui
// context draw the dialog's controls at their template positions. Internal to Platform/Win32.
#pragma once

#include "Platform/Win32/Win32State.h"

#include <SDL_events.h>

#include <vector>

struct ImGuiContext;

class ModalDialogView {
public:
    // Creates the hidden window and both contexts; IsOpen tells whether that worked.
    explicit ModalDialogView(Window* shown);
    ~ModalDialogView();
    ModalDialogView(const ModalDialogView&) = delete;
    ModalDialogView& operator=(const ModalDialogView&) = delete;

    bool IsOpen() const { return rendererReady; }
    // Shows the window and draws frames and handles events until the dialog is ended.
    void RunUntilEnded();

private:
    struct Notification {
        Window* control;
        WORD code;
    };

    bool Open();
    void DrawFrame();
    void DrawControl(Window* control);
    void SendNotifications();
    void HandleEvent(const SDL_Event& event);
    void HandleKey(const SDL_KeyboardEvent& key);
    bool Ended() const { return dialog->dialog.ended; }

    Window* dialog;
    SDL_Window* window = nullptr;
    void* glContext = nullptr;
    ImGuiContext* imgui = nullptr;
    bool platformReady = false;
    bool rendererReady = false;
    // What was current before, given back when the view goes.
    SDL_Window* previousGLWindow = nullptr;
    void* previousGLContext = nullptr;
    ImGuiContext* previousImGui = nullptr;
    // Control notifications of the frame being drawn, sent once it is on screen.
    std::vector<Notification> notifications;
};
