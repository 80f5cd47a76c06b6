// The setup dialog (template 102): the display modes of adaptor 0 and the monitor aspect ratios
// to choose from, the fullscreen, vsync and low-VRAM switches, written into the settings on "Run".
#pragma once

#include "Framework/FrameworkSettings.h"
#include "Platform/D3D9/D3D9.h"
#include "Platform/Win32/Dialog.h"

class SetupDialog {
public:
    static constexpr int kTemplateId = 102;
    static constexpr int kResolutionList = 1000;
    static constexpr int kMonitorList = 1001;
    static constexpr int kFullscreenBox = 1002;
    static constexpr int kVSyncBox = 1003;
    static constexpr int kLowVideoMemoryBox = 1006;
    static constexpr int kRunButton = 1;
    static constexpr int kExitButton = 2;

    // Registers the dialog template.
    SetupDialog(IDirect3D9* adaptor, FrameworkSettings& chosenSettings);

    // Runs the dialog modally: 1 after "Run" (the settings are filled in), 2 after "Exit" or the
    // close box (the quit message is posted), -1 when the dialog cannot be shown. A FrameworkEx
    // thrown by the dialog procedure reaches the caller.
    INT_PTR Run(HINSTANCE instance);

    // The dialog procedure; WM_INITDIALOG's lParam is the SetupDialog.
    static INT_PTR SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

    static const DialogTemplate& Template();

private:
    void FillLists(HWND dialog);
    void ReadSelection(HWND dialog);

    IDirect3D9* direct3D;
    FrameworkSettings& settings;
};
