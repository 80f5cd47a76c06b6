#include "Framework/DXText.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"

#include <cstring>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\DXText\\DXText";
// The line that a failed font creation has always reported.
constexpr int kCreateFontLine = 19;
constexpr UINT kWeight = 256;
constexpr DWORD kFormat = DT_BOTTOM | DT_WORDBREAK;
constexpr LONG kBoxLeft = 18;
constexpr LONG kBoxTopMargin = 8;

BYTE ColourByte(float c) {
    if (c >= 1.0f) return 255;
    if (!(c > 0.0f)) return 0; // also NaN, which has no byte
    return static_cast<BYTE>(c * 255.0f + 0.5f);
}

} // namespace

DXText::DXText(const char* faceName, int height, int width) {
    D3DXFONT_DESCA desc{};
    desc.Height = height;
    desc.Width = static_cast<UINT>(width);
    desc.Weight = kWeight;
    // A longer name is cut to fit the description with its terminating zero.
    if (faceName != nullptr) std::strncpy(desc.FaceName, faceName, LF_FACESIZE - 1);
    GuardedCall(D3DXCreateFontIndirectA(g_pd3dDevice, &desc, &font), kGuardedSourcePath,
                kCreateFontLine);

    const FrameworkSettings& settings = DXFramework::Instance()->settings;
    box.left = kBoxLeft;
    box.top =
        static_cast<LONG>(((settings.screenHeight - settings.pictureHeight) >> 1) + kBoxTopMargin);
    box.right = static_cast<LONG>(settings.pictureWidth);
    box.bottom = static_cast<LONG>(settings.pictureHeight);
}

DXText::~DXText() {
    Release();
}

D3DCOLOR DXText::PackColour(const float rgba[4]) {
    return D3DCOLOR_ARGB(ColourByte(rgba[3]), ColourByte(rgba[0]), ColourByte(rgba[1]),
                         ColourByte(rgba[2]));
}

void DXText::Draw(const char* text) {
    if (font == nullptr) return;
    const DXFramework* framework = DXFramework::Instance();
    g_pd3dDevice->SetDepthStencilSurface(framework->sharedDepthSurface);
    g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
    font->DrawText(nullptr, text, -1, &box, kFormat, PackColour(colour));
}

void DXText::Release() {
    ReleaseAndClear(font);
}
