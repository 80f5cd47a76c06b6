// The glyphs a font has drawn, rendered once and packed in rows into one texture: white texels
// whose alpha is the glyph's coverage, so that the device's default program (vertex colour
// times texture) draws them in the vertex colour. The texture grows taller as glyphs arrive.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/FontFace.h"

#include <cstdint>
#include <map>
#include <vector>

struct AtlasGlyph {
    int x = 0, y = 0; // texel position in the atlas
    int width = 0, height = 0;
    int left = 0, top = 0, advance = 0; // as GlyphImage
};

class GlyphAtlas {
public:
    explicit GlyphAtlas(const FontFace& face);
    ~GlyphAtlas();
    GlyphAtlas(const GlyphAtlas&) = delete;
    GlyphAtlas& operator=(const GlyphAtlas&) = delete;

    // The glyph of the code point, rendered and placed on first use. A glyph that no longer
    // fits the largest atlas keeps its advance but has no texels (width 0).
    const AtlasGlyph& Find(std::uint32_t codePoint);
    // The texture holding every glyph found so far; null when the device refuses one.
    IDirect3DTexture9* Texture(IDirect3DDevice9* device);
    int Width() const { return kWidth; }
    int Height() const { return height; }

    static constexpr int kWidth = 512;
    static constexpr int kMaxHeight = 2048;

private:
    bool Place(const GlyphImage& image, AtlasGlyph& glyph);

    const FontFace& face;
    std::map<std::uint32_t, AtlasGlyph> glyphs;
    int height = 64;
    std::vector<std::uint8_t> texels;      // B, G, R, A rows of kWidth
    int rowX = 0, rowY = 0, rowHeight = 0; // the row being filled
    bool changed = true;
    IDirect3DTexture9* texture = nullptr;
    int textureHeight = 0;
};
