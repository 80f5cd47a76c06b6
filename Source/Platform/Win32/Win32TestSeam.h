// Lets tests steer the Win32 layer: the desktop size and work area that GetSystemMetrics reports,
// a failing GetWindowText, and message boxes recorded instead of shown or printed.
#pragma once

#include "Platform/Win32/Windows.h"

#include <optional>
#include <string>
#include <vector>

namespace Win32TestSeam {

struct Size {
    int width;
    int height;
};

struct MessageBoxRecord {
    std::string caption;
    std::string text;
};

// SM_CXSCREEN/SM_CYSCREEN report this size.
void OverrideDesktopSize(int width, int height);
// SM_CXFULLSCREEN/SM_CYFULLSCREEN report this size.
void OverrideWorkArea(int width, int height);
// The next GetWindowText of this window (null: of any window) returns -1.
void FailNextGetWindowText(HWND window = nullptr);
// Message boxes are recorded (and return IDOK) instead of being shown or printed.
void CaptureMessageBoxes();
const std::vector<MessageBoxRecord>& CapturedMessageBoxes();
// Forgets every override, failure and recorded box.
void Clear();

// Used by the Win32 layer.
std::optional<Size> DesktopSizeOverride();
std::optional<Size> WorkAreaOverride();
bool TakeGetWindowTextFailure(HWND window);
bool RecordMessageBox(const char* caption, const char* text);

} // namespace Win32TestSeam
