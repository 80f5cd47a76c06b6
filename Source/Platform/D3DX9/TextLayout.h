// Lays a text out in a box as DrawText does: lines end at line feeds, carriage returns and
// their pairs, wrap at spaces to the box's width with DT_WORDBREAK (a word wider than the box
// keeps a line of its own), and are aligned left, centred or right, and to the top, middle or
// bottom of the box. Pen positions are whole pixels.
#pragma once

#include "Platform/Win32/Windows.h"

#include <cstdint>
#include <functional>
#include <string_view>
#include <vector>

struct PlacedCharacter {
    std::uint32_t codePoint;
    int x; // pen position
    int lineTop;
};

struct TextBlock {
    std::vector<PlacedCharacter> characters;
    int lineCount = 0;
    int height = 0; // lineCount x line height
};

class TextLayout {
public:
    // `advance` gives the whole-pixel advance of a code point.
    TextLayout(std::function<int(std::uint32_t)> advance, int lineHeight);

    TextBlock Lay(std::string_view text, const RECT& box, DWORD format) const;

private:
    struct Line {
        std::string_view text;
        int width;
    };

    // Splits at line breaks (all of the text on one line for DT_SINGLELINE) and, for
    // DT_WORDBREAK, at spaces.
    std::vector<Line> BreakLines(std::string_view text, const RECT& box, DWORD format) const;
    void WrapParagraph(std::string_view paragraph, int maxWidth, std::vector<Line>& lines) const;
    int Width(std::string_view text) const;
    int AdvanceOf(char c) const;

    std::function<int(std::uint32_t)> advance;
    int lineHeight;
};
