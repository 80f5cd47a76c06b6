#include "Platform/Win32/ModalDialogView.h"

#include <SDL.h>
#include <backends/imgui_impl_opengl3.h>
#include <backends/imgui_impl_sdl.h>
#include <epoxy/gl.h>
#include <imgui.h>

#include <string>

namespace {

// An idle dialog only needs a frame now and then; input wakes it at once.
constexpr int kIdleFrameMilliseconds = 100;

constexpr ImGuiWindowFlags kDialogWindowFlags =
    ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
    ImGuiWindowFlags_NoBringToFrontOnFocus;

float Pixels(LONG dialogUnits) {
    return static_cast<float>(dialogUnits * kPixelsPerDialogUnit);
}

ImVec2 Position(const RECT& units) {
    return ImVec2(Pixels(units.left), Pixels(units.top));
}

ImVec2 Size(const RECT& units) {
    return ImVec2(Pixels(units.right - units.left), Pixels(units.bottom - units.top));
}

// ImGui shows the text before "##" and identifies the widget by the whole label.
std::string WidgetLabel(const Window* control) {
    return control->text + "##control";
}

Uint32 EventWindowId(const SDL_Event& event) {
    switch (event.type) {
    case SDL_WINDOWEVENT:
        return event.window.windowID;
    case SDL_KEYDOWN:
    case SDL_KEYUP:
        return event.key.windowID;
    case SDL_TEXTINPUT:
        return event.text.windowID;
    case SDL_MOUSEMOTION:
        return event.motion.windowID;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        return event.button.windowID;
    case SDL_MOUSEWHEEL:
        return event.wheel.windowID;
    default:
        return 0;
    }
}

} // namespace

ModalDialogView::ModalDialogView(Window* shown) : dialog(shown) {
    previousGLWindow = SDL_GL_GetCurrentWindow();
    previousGLContext = SDL_GL_GetCurrentContext();
    previousImGui = ImGui::GetCurrentContext();
    if (!Open()) return;
    dialog->sdlWindow = window;
    dialog->dialog.modal = true;
}

bool ModalDialogView::Open() {
    if (!EnsureVideo()) return false;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);

    const ImVec2 size = Size(dialog->dialogUnits);
    window = SDL_CreateWindow(dialog->text.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                              static_cast<int>(size.x), static_cast<int>(size.y),
                              SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) return false;
    glContext = SDL_GL_CreateContext(window);
    if (glContext == nullptr || SDL_GL_MakeCurrent(window, glContext) != 0) return false;
    SDL_GL_SetSwapInterval(1);

    imgui = ImGui::CreateContext();
    ImGui::SetCurrentContext(imgui);
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr; // a dialog remembers nothing between runs
    io.LogFilename = nullptr;
    io.ConfigFlags |= ImGuiConfigFlags_NoMouseCursorChange; // ShowCursor's counter rules it
    ImGui::StyleColorsLight();
    ImGui::GetStyle().WindowRounding = 0.0f;
    ImGui::GetStyle().WindowBorderSize = 0.0f;

    platformReady = ImGui_ImplSDL2_InitForOpenGL(window, glContext);
    rendererReady = platformReady && ImGui_ImplOpenGL3_Init("#version 330 core");
    return rendererReady;
}

ModalDialogView::~ModalDialogView() {
    if (imgui != nullptr) {
        ImGui::SetCurrentContext(imgui);
        if (glContext != nullptr) SDL_GL_MakeCurrent(window, glContext);
        if (rendererReady) ImGui_ImplOpenGL3_Shutdown();
        if (platformReady) ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext(imgui);
    }
    ImGui::SetCurrentContext(previousImGui);
    if (glContext != nullptr) SDL_GL_DeleteContext(glContext);
    if (window != nullptr) SDL_DestroyWindow(window);
    if (previousGLContext != nullptr) SDL_GL_MakeCurrent(previousGLWindow, previousGLContext);
    dialog->sdlWindow = nullptr;
    dialog->dialog.modal = false;
}

void ModalDialogView::RunUntilEnded() {
    SDL_ShowWindow(window);
    SDL_RaiseWindow(window);
    // A frame is on screen before any input is acted on.
    while (!Ended()) {
        DrawFrame();
        SendNotifications();
        SDL_Event event;
        if (Ended() || SDL_WaitEventTimeout(&event, kIdleFrameMilliseconds) == 0) continue;
        HandleEvent(event);
        while (!Ended() && SDL_PollEvent(&event) != 0)
            HandleEvent(event);
    }
}

void ModalDialogView::DrawFrame() {
    ImGui_ImplOpenGL3_NewFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    ImGui::SetNextWindowPos(ImVec2(0.0f, 0.0f));
    ImGui::SetNextWindowSize(ImGui::GetIO().DisplaySize);
    ImGui::Begin("##dialog", nullptr, kDialogWindowFlags);
    int index = 0;
    for (Window* control : dialog->children) {
        ImGui::PushID(index++);
        DrawControl(control);
        ImGui::PopID();
    }
    ImGui::End();
    ImGui::Render();

    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    glViewport(0, 0, width, height);
    const ImVec4 background = ImGui::GetStyle().Colors[ImGuiCol_WindowBg];
    glClearColor(background.x, background.y, background.z, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    ImGui_ImplOpenGL3_RenderDrawData(ImGui::GetDrawData());
    SDL_GL_SwapWindow(window);
}

void ModalDialogView::DrawControl(Window* control) {
    ControlState& state = control->control;
    const ImVec2 size = Size(control->dialogUnits);
    ImGui::SetCursorPos(Position(control->dialogUnits));
    switch (state.kind) {
    case ControlKind::Label:
        ImGui::TextUnformatted(control->text.c_str());
        break;
    case ControlKind::DropDownList: {
        ImGui::SetNextItemWidth(size.x);
        const char* preview = state.selection >= 0
                                  ? state.items[static_cast<std::size_t>(state.selection)].c_str()
                                  : "";
        if (ImGui::BeginCombo(WidgetLabel(control).c_str(), preview)) {
            for (int item = 0; item < static_cast<int>(state.items.size()); ++item) {
                ImGui::PushID(item);
                const bool selected = item == state.selection;
                if (ImGui::Selectable(state.items[static_cast<std::size_t>(item)].c_str(),
                                      selected) &&
                    !selected) {
                    state.selection = item;
                    notifications.push_back({control, CBN_SELCHANGE});
                }
                ImGui::PopID();
            }
            ImGui::EndCombo();
        }
        break;
    }
    case ControlKind::CheckBox: {
        // An auto check box: it toggles itself, then tells the dialog.
        bool checked = state.check == BST_CHECKED;
        if (ImGui::Checkbox(WidgetLabel(control).c_str(), &checked)) {
            state.check = checked ? BST_CHECKED : BST_UNCHECKED;
            notifications.push_back({control, BN_CLICKED});
        }
        break;
    }
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton: {
        const bool isDefault = state.kind == ControlKind::DefaultPushButton;
        // The default button wears a border, as it does on Windows.
        if (isDefault) ImGui::PushStyleVar(ImGuiStyleVar_FrameBorderSize, 1.0f);
        if (ImGui::Button(WidgetLabel(control).c_str(), size)) {
            notifications.push_back({control, BN_CLICKED});
        }
        if (isDefault) ImGui::PopStyleVar();
        break;
    }
    }
}

void ModalDialogView::SendNotifications() {
    std::vector<Notification> pending;
    pending.swap(notifications);
    for (const Notification& notification : pending) {
        if (Ended()) return;
        if (LiveWindow(notification.control) == nullptr) continue; // destroyed by the procedure
        SendDialogMessage(
            dialog, WM_COMMAND,
            MAKEWPARAM(static_cast<WORD>(notification.control->control.id), notification.code),
            reinterpret_cast<LPARAM>(notification.control));
    }
}

void ModalDialogView::HandleEvent(const SDL_Event& event) {
    // The dialog is modal for input only: what other windows of ours are sent keeps its way.
    Window* target = WindowFromSDLId(EventWindowId(event));
    if (target != nullptr && target != dialog) {
        QueueMessagesFor(event);
        return;
    }
    ImGui_ImplSDL2_ProcessEvent(&event);
    switch (event.type) {
    case SDL_QUIT:
        SendDialogMessage(dialog, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT:
        if (event.window.event == SDL_WINDOWEVENT_CLOSE) SendDialogMessage(dialog, WM_CLOSE, 0, 0);
        break;
    case SDL_KEYDOWN:
        HandleKey(event.key);
        break;
    default:
        break;
    }
}

void ModalDialogView::HandleKey(const SDL_KeyboardEvent& key) {
    if (key.repeat != 0) return;
    switch (key.keysym.sym) {
    case SDLK_RETURN:
    case SDLK_KP_ENTER:
        // The default push button, or IDOK in a dialog without one.
        for (const Window* control : dialog->children) {
            if (control->control.kind == ControlKind::DefaultPushButton) {
                SendDialogCommand(dialog, control->control.id);
                return;
            }
        }
        SendDialogCommand(dialog, IDOK);
        break;
    case SDLK_ESCAPE:
        SendDialogCommand(dialog, IDCANCEL);
        break;
    default:
        break;
    }
}
