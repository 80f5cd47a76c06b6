// Fonts as D3DX 9 makes them, over FreeType with fontconfig choosing the face: a face name the
// system lacks gets fontconfig's substitute (sans-serif for an unknown name). Text is drawn in
// render-target pixels from a glyph atlas, as alpha-blended quads through the device.
#pragma once

#include "Platform/D3D9/D3D9.h"

constexpr int LF_FACESIZE = 32;

// Weights and the character set the callers pass; the other description fields are kept but
// do not change the face.
constexpr UINT FW_DONTCARE = 0;
constexpr UINT FW_NORMAL = 400;
constexpr UINT FW_BOLD = 700;
constexpr BYTE DEFAULT_CHARSET = 1;

// DrawText formats. Text lines are laid out from the top left of the box unless these say
// otherwise, and the ink is clipped to the box unless DT_NOCLIP is given.
constexpr DWORD DT_TOP = 0x00000000;
constexpr DWORD DT_LEFT = 0x00000000;
constexpr DWORD DT_CENTER = 0x00000001;
constexpr DWORD DT_RIGHT = 0x00000002;
constexpr DWORD DT_VCENTER = 0x00000004;
constexpr DWORD DT_BOTTOM = 0x00000008;
constexpr DWORD DT_WORDBREAK = 0x00000010;
constexpr DWORD DT_SINGLELINE = 0x00000020;
constexpr DWORD DT_NOCLIP = 0x00000100;

struct D3DXFONT_DESCA {
    INT Height; // > 0: the character cell (ascent + descent); < 0: the em height; 0: 16
    UINT Width; // average character width; 0 keeps the face's own proportions
    UINT Weight;
    UINT MipLevels;
    BOOL Italic;
    BYTE CharSet;
    BYTE OutputPrecision;
    BYTE Quality;
    BYTE PitchAndFamily;
    char FaceName[LF_FACESIZE];
};

// Sprites are not modelled: the font draws with its own quads, as D3DX does for a null sprite.
class ID3DXSprite;

class ID3DXFont : public Unknown {
public:
    virtual HRESULT GetDevice(IDirect3DDevice9** device) = 0;
    virtual HRESULT GetDescA(D3DXFONT_DESCA* desc) = 0;
    // Draws `count` bytes of text (-1: up to its terminating zero) into the rectangle of the
    // current render target, in Windows-1252 code points read as Latin-1. Line feeds, carriage
    // returns and their pairs start new lines; DT_WORDBREAK wraps lines at spaces to the box's
    // width. The device's render and sampler states and texture stage 0 are left as they were.
    // Returns the height of the text in pixels, 0 when nothing could be drawn (a sprite given,
    // no text or rectangle, or the device refused).
    virtual INT DrawText(ID3DXSprite* sprite, const char* text, INT count, RECT* rect, DWORD format,
                         D3DCOLOR color) = 0;
};

// D3DERR_INVALIDCALL for a missing argument, E_FAIL when no face can be found or loaded.
HRESULT D3DXCreateFontIndirectA(IDirect3DDevice9* device, const D3DXFONT_DESCA* desc,
                                ID3DXFont** font);
HRESULT D3DXCreateFont(IDirect3DDevice9* device, INT height, UINT width, UINT weight,
                       UINT mipLevels, BOOL italic, DWORD charSet, DWORD outputPrecision,
                       DWORD quality, DWORD pitchAndFamily, const char* faceName, ID3DXFont** font);
