// The font behind ID3DXFont: a face, its glyph atlas and a layout, drawn as two triangles per
// glyph with the device's default program and alpha blending.
#pragma once

#include "Platform/D3DX9/D3DXFont.h"
#include "Platform/D3DX9/FontFace.h"
#include "Platform/D3DX9/GlyphAtlas.h"
#include "Platform/D3DX9/TextLayout.h"

#include <memory>
#include <vector>

class Font final : public ID3DXFont {
public:
    // Null when no face can be found or loaded, or the device refuses the declaration.
    static Font* Create(IDirect3DDevice9* device, const D3DXFONT_DESCA& desc);
    ~Font() override;

    HRESULT GetDevice(IDirect3DDevice9** device) override;
    HRESULT GetDescA(D3DXFONT_DESCA* desc) override;
    INT DrawText(ID3DXSprite* sprite, const char* text, INT count, RECT* rect, DWORD format,
                 D3DCOLOR color) override;

    const FontFace& Face() const { return *face; }

private:
    struct Vertex {
        float x, y, z;
        D3DCOLOR colour;
        float u, v;
    };
    // A glyph's texels and where they go, in render-target pixels.
    struct GlyphQuad {
        int left, top, right, bottom;
        int texelLeft, texelTop;
    };

    Font(IDirect3DDevice9* device, const D3DXFONT_DESCA& desc, std::unique_ptr<FontFace> face);
    std::vector<GlyphQuad> PlaceGlyphs(const TextBlock& block, const RECT& box, DWORD format);
    bool Upload(const std::vector<GlyphQuad>& quads, D3DCOLOR colour);
    void DrawQuads(UINT count, IDirect3DTexture9* atlasTexture);

    IDirect3DDevice9* device; // not counted: fonts go before the device
    D3DXFONT_DESCA desc;
    std::unique_ptr<FontFace> face;
    GlyphAtlas atlas;
    TextLayout layout;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DVertexBuffer9* vertices = nullptr;
    UINT vertexCapacity = 0; // in glyphs
};
