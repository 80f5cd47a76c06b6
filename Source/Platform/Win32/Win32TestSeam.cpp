#include "Platform/Win32/Win32TestSeam.h"

namespace Win32TestSeam {

namespace {

struct SeamState {
    std::optional<Size> desktopSize;
    std::optional<Size> workArea;
    bool failGetWindowText = false;
    HWND failingWindow = nullptr; // null: any window
    bool captureMessageBoxes = false;
    std::vector<MessageBoxRecord> messageBoxes;
};

SeamState& Seam() {
    static SeamState seam;
    return seam;
}

} // namespace

void OverrideDesktopSize(int width, int height) {
    Seam().desktopSize = Size{width, height};
}

void OverrideWorkArea(int width, int height) {
    Seam().workArea = Size{width, height};
}

void FailNextGetWindowText(HWND window) {
    Seam().failGetWindowText = true;
    Seam().failingWindow = window;
}

void CaptureMessageBoxes() {
    Seam().captureMessageBoxes = true;
}

const std::vector<MessageBoxRecord>& CapturedMessageBoxes() {
    return Seam().messageBoxes;
}

void Clear() {
    Seam() = SeamState{};
}

std::optional<Size> DesktopSizeOverride() {
    return Seam().desktopSize;
}

std::optional<Size> WorkAreaOverride() {
    return Seam().workArea;
}

bool TakeGetWindowTextFailure(HWND window) {
    SeamState& seam = Seam();
    if (!seam.failGetWindowText) return false;
    if (seam.failingWindow != nullptr && seam.failingWindow != window) return false;
    seam.failGetWindowText = false;
    return true;
}

bool RecordMessageBox(const char* caption, const char* text) {
    if (!Seam().captureMessageBoxes) return false;
    Seam().messageBoxes.push_back(MessageBoxRecord{caption, text});
    return true;
}

} // namespace Win32TestSeam
