// Dialogs: templates, building a dialog's controls, modeless and modal dialogs, commands.
#include "Platform/Win32/ModalDialogView.h"
#include "Platform/Win32/Win32State.h"

namespace {

LPARAM HandleParam(HWND window) {
    return reinterpret_cast<LPARAM>(window);
}

Window* BuildDialog(const DialogTemplate& dialogTemplate, DLGPROC procedure) {
    auto& windows = State().windows;
    auto owned = std::make_unique<Window>();
    Window* dialog = owned.get();
    dialog->kind = WindowKind::Dialog;
    dialog->text = dialogTemplate.caption;
    dialog->dialogUnits = RECT{0, 0, dialogTemplate.width, dialogTemplate.height};
    dialog->dialog.procedure = procedure;
    windows.push_back(std::move(owned));

    for (const DialogControl& layout : dialogTemplate.controls) {
        auto control = std::make_unique<Window>();
        control->kind = WindowKind::Control;
        control->text = layout.text;
        control->dialogUnits =
            RECT{layout.x, layout.y, layout.x + layout.width, layout.y + layout.height};
        control->parent = dialog;
        control->control.kind = layout.kind;
        control->control.id = layout.id;
        dialog->children.push_back(control.get());
        windows.push_back(std::move(control));
    }
    return dialog;
}

// WM_INITDIALOG's wParam: the control that gets the keyboard focus first.
WPARAM FirstFocusControl(const Window* dialog) {
    for (Window* control : dialog->children) {
        if (control->control.kind != ControlKind::Label) return reinterpret_cast<WPARAM>(control);
    }
    return 0;
}

void Initialise(Window* dialog, LPARAM initParam) {
    SendDialogMessage(dialog, WM_INITDIALOG, FirstFocusControl(dialog), initParam);
}

Window* LiveDialog(HWND handle) {
    Window* window = LiveWindow(handle);
    return window != nullptr && window->kind == WindowKind::Dialog ? window : nullptr;
}

// Destroys a modal dialog's window record however DialogBoxParam is left.
class DialogRecordGuard {
public:
    explicit DialogRecordGuard(Window* guarded) : dialog(guarded) {}
    ~DialogRecordGuard() { DestroyWindow(dialog); }
    DialogRecordGuard(const DialogRecordGuard&) = delete;
    DialogRecordGuard& operator=(const DialogRecordGuard&) = delete;

private:
    Window* dialog;
};

} // namespace

void RegisterDialogTemplate(int templateId, const DialogTemplate& dialogTemplate) {
    State().dialogTemplates.insert_or_assign(templateId, dialogTemplate);
}

INT_PTR DialogBoxParam(HINSTANCE, const char* templateName, HWND, DLGPROC dialogProc,
                       LPARAM initParam) {
    // Templates are registered by number only (MAKEINTRESOURCE).
    const auto templateId = reinterpret_cast<std::uintptr_t>(templateName);
    if (templateId > 0xFFFF) return -1;
    const auto found = State().dialogTemplates.find(static_cast<int>(templateId));
    if (found == State().dialogTemplates.end()) return -1;

    Window* dialog = BuildDialog(found->second, dialogProc);
    DialogRecordGuard recordGuard(dialog);
    ModalDialogView view(dialog);
    if (!view.IsOpen()) return -1;

    Initialise(dialog, initParam);
    if (!dialog->dialog.ended) view.RunUntilEnded();
    return dialog->dialog.result;
}

HWND CreateDialogIndirect(HINSTANCE, const DialogTemplate& dialogTemplate, HWND, DLGPROC dialogProc,
                          LPARAM initParam) {
    Window* dialog = BuildDialog(dialogTemplate, dialogProc);
    try {
        Initialise(dialog, initParam);
    } catch (...) {
        DestroyWindow(dialog);
        throw;
    }
    return dialog;
}

LRESULT SendDialogMessage(Window* dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    HWND handle = dialog;
    const DLGPROC procedure = dialog->dialog.procedure;
    const INT_PTR handled =
        procedure != nullptr ? procedure(handle, message, wParam, lParam) : FALSE;
    // Default dialog handling: the close box cancels. The procedure may have destroyed the dialog.
    if (handled == FALSE && message == WM_CLOSE) {
        if (Window* live = LiveDialog(handle)) {
            SendDialogMessage(live, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                              HandleParam(GetDlgItem(live, IDCANCEL)));
        }
    }
    return handled;
}

INT_PTR SendDialogCommand(HWND handle, int controlId) {
    Window* dialog = LiveDialog(handle);
    if (dialog == nullptr) return 0;
    return SendDialogMessage(dialog, WM_COMMAND,
                             MAKEWPARAM(static_cast<WORD>(controlId), BN_CLICKED),
                             HandleParam(GetDlgItem(dialog, controlId)));
}

BOOL EndDialog(HWND handle, INT_PTR result) {
    Window* dialog = LiveDialog(handle);
    if (dialog == nullptr) return FALSE;
    dialog->dialog.result = result;
    dialog->dialog.ended = true;
    return TRUE;
}

INT_PTR GetDialogResult(HWND handle) {
    const Window* dialog = LiveDialog(handle);
    return dialog != nullptr && dialog->dialog.ended ? dialog->dialog.result : -1;
}
