// One sized face of a font description: fontconfig picks the file (its substitute when the
// named family is missing), FreeType sizes it and renders coverage bitmaps of glyphs.
#pragma once

#include "Platform/D3DX9/D3DXFont.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct GlyphImage {
    int width = 0;
    int height = 0;
    int left = 0;                       // from the pen position to the first column
    int top = 0;                        // from the baseline up to the first row
    int advance = 0;                    // whole pixels to the next pen position
    std::vector<std::uint8_t> coverage; // width x height, row 0 at the top
};

class FontFace {
public:
    // Null when fontconfig finds no face or FreeType cannot load or size it.
    static std::unique_ptr<FontFace> Open(const D3DXFONT_DESCA& desc);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // The file fontconfig chose and its family name.
    const std::string& File() const { return file; }
    const std::string& Family() const { return family; }
    // The distance from one line's top to the next, and from a line's top to its baseline.
    int LineHeight() const { return lineHeight; }
    int Ascent() const { return ascent; }
    // A glyph of a Unicode code point (the face's missing-glyph box where it has none).
    GlyphImage Render(std::uint32_t codePoint) const;

private:
    struct Library;
    FontFace() = default;
    bool Load(const D3DXFONT_DESCA& desc);

    std::unique_ptr<Library> library;
    std::string file;
    std::string family;
    int lineHeight = 0;
    int ascent = 0;
};
