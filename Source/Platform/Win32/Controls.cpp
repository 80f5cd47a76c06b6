// Dialog controls: drop-down lists, check boxes, buttons and labels, and their messages.
#include "Platform/Win32/Win32State.h"
#include "Platform/Win32/Win32TestSeam.h"

#include <algorithm>
#include <cstring>

namespace {

const std::string* Item(const ControlState& list, WPARAM index) {
    const auto position = static_cast<std::intptr_t>(index);
    if (position < 0 || position >= static_cast<std::intptr_t>(list.items.size())) return nullptr;
    return &list.items[static_cast<std::size_t>(position)];
}

LRESULT DropDownListMessage(ControlState& list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case CB_ADDSTRING:
        if (lParam == 0) return CB_ERR;
        list.items.emplace_back(reinterpret_cast<const char*>(lParam));
        return static_cast<LRESULT>(list.items.size() - 1);
    case CB_SETCURSEL:
        // An index out of range (-1 included) clears the selection.
        if (Item(list, wParam) == nullptr) {
            list.selection = -1;
            return CB_ERR;
        }
        list.selection = static_cast<int>(wParam);
        return list.selection;
    case CB_GETCURSEL:
        return list.selection;
    case CB_GETCOUNT:
        return static_cast<LRESULT>(list.items.size());
    case CB_GETLBTEXT: {
        // As in Win32 the buffer must hold CB_GETLBTEXTLEN + 1 characters.
        const std::string* item = Item(list, wParam);
        if (item == nullptr || lParam == 0) return CB_ERR;
        std::memcpy(reinterpret_cast<char*>(lParam), item->c_str(), item->size() + 1);
        return static_cast<LRESULT>(item->size());
    }
    case CB_GETLBTEXTLEN: {
        const std::string* item = Item(list, wParam);
        return item != nullptr ? static_cast<LRESULT>(item->size()) : CB_ERR;
    }
    default:
        return 0;
    }
}

LRESULT CheckBoxMessage(ControlState& box, UINT message, WPARAM wParam) {
    switch (message) {
    case BM_SETCHECK:
        box.check = wParam;
        return 0;
    case BM_GETCHECK:
        return static_cast<LRESULT>(box.check);
    default:
        return 0;
    }
}

} // namespace

LRESULT SendControlMessage(Window* control, UINT message, WPARAM wParam, LPARAM lParam) {
    ControlState& state = control->control;
    switch (state.kind) {
    case ControlKind::DropDownList:
        return DropDownListMessage(state, message, wParam, lParam);
    case ControlKind::CheckBox:
        return CheckBoxMessage(state, message, wParam);
    default:
        return 0;
    }
}

LRESULT SendMessage(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    Window* window = LiveWindow(handle);
    return window != nullptr ? SendToWindow(window, message, wParam, lParam) : 0;
}

HWND GetDlgItem(HWND dialogHandle, int controlId) {
    const Window* dialog = LiveWindow(dialogHandle);
    if (dialog == nullptr) return nullptr;
    const auto found =
        std::find_if(dialog->children.begin(), dialog->children.end(),
                     [&](const Window* child) { return child->control.id == controlId; });
    return found != dialog->children.end() ? *found : nullptr;
}

int GetWindowText(HWND handle, char* buffer, int bufferSize) {
    const Window* window = LiveWindow(handle);
    if (window == nullptr || Win32TestSeam::TakeGetWindowTextFailure(handle)) return -1;
    if (buffer == nullptr || bufferSize <= 0) return 0;

    // A drop-down list's text is its selected item.
    static const std::string kNoText;
    const ControlState& control = window->control;
    const bool isList =
        window->kind == WindowKind::Control && control.kind == ControlKind::DropDownList;
    const std::string& text = !isList ? window->text
                              : control.selection >= 0
                                  ? control.items[static_cast<std::size_t>(control.selection)]
                                  : kNoText;

    const std::size_t length = std::min(text.size(), static_cast<std::size_t>(bufferSize - 1));
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
    return static_cast<int>(length);
}

UINT IsDlgButtonChecked(HWND dialog, int buttonId) {
    Window* button = LiveWindow(GetDlgItem(dialog, buttonId));
    return button != nullptr ? static_cast<UINT>(SendControlMessage(button, BM_GETCHECK, 0, 0)) : 0;
}

BOOL CheckDlgButton(HWND dialog, int buttonId, UINT check) {
    Window* button = LiveWindow(GetDlgItem(dialog, buttonId));
    if (button == nullptr) return FALSE;
    SendControlMessage(button, BM_SETCHECK, check, 0);
    return TRUE;
}
