// One block of text drawn straight into the back buffer with a D3DX font, on top of the
// finished picture.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXFont.h"

class DXText {
public:
    // Creates the font (weight 256, the other description fields zero) on the framework's
    // device. A lost device leaves the text without a font, which then draws nothing.
    DXText(const char* faceName, int height, int width);
    ~DXText();
    DXText(const DXText&) = delete;
    DXText& operator=(const DXText&) = delete;

    // Draws into the back buffer, with the shared depth surface, bottom-aligned and wrapped at
    // words inside the box; line breaks in the text start new lines.
    void Draw(const char* text);
    // Releases the font.
    void Release();

    // 0xAARRGGBB from red, green, blue, alpha: each 255 from 1.0 up, 0 from 0.0 down (and for
    // NaN), otherwise c x 255 + 0.5 truncated.
    static D3DCOLOR PackColour(const float rgba[4]);

    ID3DXFont* font = nullptr;
    float colour[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    RECT box{};
};
