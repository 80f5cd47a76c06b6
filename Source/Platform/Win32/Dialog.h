// Dialog boxes: templates, controls and the calls a dialog procedure makes, as in Win32.
//
// A dialog is a window whose children are controls with ids. DialogBoxParam runs it modally in a
// small window of its own, drawn with Dear ImGui; CreateDialogIndirect builds the same dialog
// without showing it, so that a dialog procedure can be driven by code alone.
#pragma once

#include "Platform/Win32/Windows.h"

#include <string>
#include <vector>

// Control classes of a dialog template.
enum class ControlKind { Label, DropDownList, CheckBox, PushButton, DefaultPushButton };

struct DialogControl {
    ControlKind kind;
    int id; // -1 for controls that are never fetched (labels)
    std::string text;
    short x, y, width, height; // dialog units
};

struct DialogTemplate {
    std::string caption;
    std::string fontName;
    int fontPointSize;
    short width, height; // dialog units
    std::vector<DialogControl> controls;
};

constexpr int IDC_STATIC = -1;

// Combo box messages and results.
constexpr UINT CB_GETCOUNT = 0x0146;
constexpr UINT CB_GETCURSEL = 0x0147;
constexpr UINT CB_GETLBTEXT = 0x0148;
constexpr UINT CB_ADDSTRING = 0x0143;
constexpr UINT CB_GETLBTEXTLEN = 0x0149;
constexpr UINT CB_SETCURSEL = 0x014E;
constexpr LRESULT CB_ERR = -1;
// Notification codes (HIWORD of WM_COMMAND's wParam).
constexpr WORD BN_CLICKED = 0;
constexpr WORD CBN_SELCHANGE = 1;

// Button messages and check states.
constexpr UINT BM_GETCHECK = 0x00F0;
constexpr UINT BM_SETCHECK = 0x00F1;
constexpr WPARAM BST_UNCHECKED = 0;
constexpr WPARAM BST_CHECKED = 1;

// Registers a dialog template as the resource with this id.
void RegisterDialogTemplate(int templateId, const DialogTemplate& dialogTemplate);

// Runs the dialog of the template resource modally; returns the value given to EndDialog, or -1
// when the template is unknown or the dialog cannot be shown. The dialog is sent WM_INITDIALOG
// once its (hidden) window exists and is shown unless EndDialog was called by then. Enter
// presses the default push button (IDOK without one), Escape and the close box send IDCANCEL.
// The dialog procedure is never called while a frame is being drawn, so an exception it throws
// leaves DialogBoxParam after the dialog's window and contexts are gone.
INT_PTR DialogBoxParam(HINSTANCE instance, const char* templateName, HWND parent,
                       DLGPROC dialogProc, LPARAM initParam);

// Builds the dialog without showing it and sends it WM_INITDIALOG; destroy it with DestroyWindow.
// When the procedure throws, the dialog is destroyed and the exception goes on to the caller.
HWND CreateDialogIndirect(HINSTANCE instance, const DialogTemplate& dialogTemplate, HWND parent,
                          DLGPROC dialogProc, LPARAM initParam);

// Sends a command to the dialog procedure as the control with this id would (WM_COMMAND with
// BN_CLICKED and the control's handle); check boxes keep their state.
INT_PTR SendDialogCommand(HWND dialog, int controlId);

BOOL EndDialog(HWND dialog, INT_PTR result);
// The value given to EndDialog, or -1 while the dialog has not ended.
INT_PTR GetDialogResult(HWND dialog);

HWND GetDlgItem(HWND dialog, int controlId);
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Copies the window's text (a drop-down list: its selected item) and returns its length;
// -1 when the text cannot be read.
int GetWindowText(HWND window, char* buffer, int bufferSize);
UINT IsDlgButtonChecked(HWND dialog, int buttonId);
BOOL CheckDlgButton(HWND dialog, int buttonId, UINT check);
