#include "Framework/SetupDialog.h"

#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"

#include <cstdint>
#include <cstdio>
#include <map>
#include <utility>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\DXFramework";
constexpr int kTextSize = 256;

using AspectRatio = std::pair<unsigned, unsigned>;

// Keyed by the float quotient, so ascending order is 5:4, 4:3, 16:10, 15:9, 16:9.
std::map<float, AspectRatio> AspectTable() {
    std::map<float, AspectRatio> table;
    for (const AspectRatio& ratio : {AspectRatio{5, 4}, AspectRatio{4, 3}, AspectRatio{16, 10},
                                     AspectRatio{15, 9}, AspectRatio{16, 9}}) {
        table[static_cast<float>(ratio.first) / static_cast<float>(ratio.second)] = ratio;
    }
    return table;
}

HWND FetchControl(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    if (control == nullptr) throw FrameworkEx("Failed to fetch setup resources");
    return control;
}

void AddItem(HWND list, const char* text) {
    SendMessage(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text));
}

bool Ticked(HWND dialog, int id) {
    return IsDlgButtonChecked(dialog, id) == BST_CHECKED;
}

// floor(floor(value) x 0.0625) in extended precision: the product truncated, then its sixteenth.
std::uint32_t SixteenthOf(long double value) {
    return static_cast<std::uint32_t>(static_cast<long double>(static_cast<std::uint32_t>(value)) *
                                      0.0625L);
}

} // namespace

SetupDialog::SetupDialog(IDirect3D9* adaptor, FrameworkSettings& chosenSettings)
    : direct3D(adaptor), settings(chosenSettings) {
    RegisterDialogTemplate(kTemplateId, Template());
}

INT_PTR SetupDialog::Run(HINSTANCE instance) {
    return DialogBoxParam(instance, MAKEINTRESOURCE(kTemplateId), nullptr, SetupDialogProc,
                          reinterpret_cast<LPARAM>(this));
}

INT_PTR SetupDialog::SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtr(dialog, GWLP_USERDATA, lParam);
        reinterpret_cast<SetupDialog*>(lParam)->FillLists(dialog);
        return TRUE;
    }
    auto* self = reinterpret_cast<SetupDialog*>(GetWindowLongPtr(dialog, GWLP_USERDATA));
    if (message != WM_COMMAND || self == nullptr) return FALSE;
    switch (LOWORD(wParam)) {
    case kRunButton:
        self->ReadSelection(dialog);
        EndDialog(dialog, 1);
        return TRUE;
    case kExitButton:
        EndDialog(dialog, 2);
        PostQuitMessage(0);
        return TRUE;
    default:
        return FALSE;
    }
}

void SetupDialog::FillLists(HWND dialog) {
    HWND resolutionList = FetchControl(dialog, kResolutionList);
    HWND monitorList = FetchControl(dialog, kMonitorList);
    FetchControl(dialog, kVSyncBox);
    FetchControl(dialog, kFullscreenBox);
    FetchControl(dialog, kLowVideoMemoryBox);

    const UINT modeCount = direct3D->GetAdapterModeCount(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8);
    const std::map<float, AspectRatio> aspects = AspectTable();
    const int desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    const int desktopHeight = GetSystemMetrics(SM_CYSCREEN);

    char text[kTextSize];
    WPARAM desktopModePosition = 0;
    WPARAM keptModes = 0;
    for (UINT i = 0; i < modeCount; ++i) {
        D3DDISPLAYMODE mode{};
        GuardedCall(direct3D->EnumAdapterModes(D3DADAPTER_DEFAULT, D3DFMT_X8R8G8B8, i, &mode),
                    kGuardedSourcePath, __LINE__);
        if (mode.Width < 800 || mode.Height < 600 || mode.Format != D3DFMT_X8R8G8B8) continue;

        const auto aspect =
            aspects.find(static_cast<float>(mode.Width) / static_cast<float>(mode.Height));
        const AspectRatio ratio = aspect != aspects.end() ? aspect->second : AspectRatio{1, 1};
        std::snprintf(text, sizeof text, "%u x %u @ %uhz (%u:%u)", mode.Width, mode.Height,
                      mode.RefreshRate, ratio.first, ratio.second);
        AddItem(resolutionList, text);
        if (mode.Width == static_cast<UINT>(desktopWidth) &&
            mode.Height == static_cast<UINT>(desktopHeight)) {
            desktopModePosition = keptModes;
        }
        ++keptModes;
    }

    settings.monitorAspect = static_cast<float>(desktopWidth) / static_cast<float>(desktopHeight);
    WPARAM detectedPosition = 0;
    WPARAM position = 0;
    for (const auto& [quotient, ratio] : aspects) {
        if (quotient == settings.monitorAspect) {
            std::snprintf(text, sizeof text, "%u:%u (Detected)", ratio.first, ratio.second);
            detectedPosition = position;
        } else {
            std::snprintf(text, sizeof text, "%u:%u", ratio.first, ratio.second);
        }
        AddItem(monitorList, text);
        ++position;
    }

    SendMessage(resolutionList, CB_SETCURSEL, desktopModePosition, 0);
    SendMessage(monitorList, CB_SETCURSEL, detectedPosition, 0);
    CheckDlgButton(dialog, kFullscreenBox, BST_CHECKED);
    CheckDlgButton(dialog, kVSyncBox, BST_CHECKED);
    CheckDlgButton(dialog, kLowVideoMemoryBox, BST_UNCHECKED);
}

void SetupDialog::ReadSelection(HWND dialog) {
    char text[kTextSize];
    if (GetWindowText(FetchControl(dialog, kResolutionList), text, kTextSize) == -1) {
        throw FrameworkEx("Invalid resolution selection");
    }
    // "W x H @ Rhz (a:b)": the separators and the ratio are not kept. What does not parse (an
    // empty list) keeps its value.
    char separator = 0;
    std::sscanf(text, "%u %c %u %c %u", &settings.screenWidth, &separator, &settings.screenHeight,
                &separator, &settings.refreshRate);

    settings.highVideoMemory = !Ticked(dialog, kLowVideoMemoryBox);
    settings.multiSampleType = 0;
    settings.multiSampleQuality = 0;
    settings.fullscreen = Ticked(dialog, kFullscreenBox);
    settings.vsync = Ticked(dialog, kVSyncBox);

    if (GetWindowText(FetchControl(dialog, kMonitorList), text, kTextSize) == -1) {
        throw FrameworkEx("Invalid Monitor Aspect Ratio selection");
    }
    // The list always holds the five ratios; a text that does not parse leaves the aspect alone.
    unsigned aspectWidth = 0;
    unsigned aspectHeight = 0;
    if (std::sscanf(text, "%u:%u", &aspectWidth, &aspectHeight) == 2) {
        settings.monitorAspect = static_cast<float>(aspectWidth) / static_cast<float>(aspectHeight);
    }

    // The picture is 16:9 of the screen width; a windowed screen is exactly that tall.
    settings.pictureWidth = settings.screenWidth;
    settings.pictureHeight = SixteenthOf(static_cast<long double>(settings.screenWidth) * 9);
    if (!settings.fullscreen) settings.screenHeight = settings.pictureHeight;

    // Full screen, the monitor's own shape stretches the mode's pixels: correct for it.
    const float correction =
        settings.fullscreen ? settings.monitorAspect / (static_cast<float>(settings.screenWidth) /
                                                        static_cast<float>(settings.screenHeight))
                            : 1.0f;
    settings.pictureHeight =
        SixteenthOf(static_cast<long double>(correction) * settings.pictureWidth * 9);
}

const DialogTemplate& SetupDialog::Template() {
    // Labels on the left, their controls beside them, the buttons on the right.
    static const DialogTemplate dialogTemplate{
        "Lumenvale",
        "MS Sans Serif",
        8,
        225,
        111,
        {
            {ControlKind::Label, IDC_STATIC, "Resolution", 7, 9, 42, 8},
            {ControlKind::DropDownList, kResolutionList, "", 50, 7, 112, 12},
            {ControlKind::Label, IDC_STATIC, "Monitor", 7, 26, 42, 8},
            {ControlKind::DropDownList, kMonitorList, "", 50, 24, 112, 12},
            {ControlKind::Label, IDC_STATIC, "Fullscreen", 7, 43, 42, 8},
            {ControlKind::CheckBox, kFullscreenBox, "", 50, 42, 10, 10},
            {ControlKind::Label, IDC_STATIC, "VSync", 7, 57, 42, 8},
            {ControlKind::CheckBox, kVSyncBox, "", 50, 56, 10, 10},
            {ControlKind::Label, IDC_STATIC, "Low VRAM", 7, 71, 42, 8},
            {ControlKind::CheckBox, kLowVideoMemoryBox, "", 50, 70, 10, 10},
            {ControlKind::DefaultPushButton, kRunButton, "Run", 168, 7, 50, 14},
            {ControlKind::PushButton, kExitButton, "Exit", 168, 24, 50, 14},
            {ControlKind::Label, IDC_STATIC, "Requires GF8800 or equivalent graphics adaptor", 7,
             94, 211, 8},
        },
    };
    return dialogTemplate;
}
