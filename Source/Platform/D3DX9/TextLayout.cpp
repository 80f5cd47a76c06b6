#include "Platform/D3DX9/TextLayout.h"

#include "Platform/D3DX9/D3DXFont.h"

#include <utility>

namespace {

bool IsLineBreak(char c) {
    return c == '\n' || c == '\r';
}

std::uint32_t CodePoint(char c) {
    return static_cast<unsigned char>(c);
}

// Spaces at the end of a line take no room, as the line ends there.
std::string_view TrimTrailingSpaces(std::string_view text) {
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

} // namespace

TextLayout::TextLayout(std::function<int(std::uint32_t)> advanceOf, int height)
    : advance(std::move(advanceOf)), lineHeight(height) {}

int TextLayout::AdvanceOf(char c) const {
    // Other control characters are not drawn.
    return CodePoint(c) < 0x20 ? 0 : advance(CodePoint(c));
}

int TextLayout::Width(std::string_view text) const {
    int width = 0;
    for (const char c : text)
        width += AdvanceOf(c);
    return width;
}

void TextLayout::WrapParagraph(std::string_view paragraph, int maxWidth,
                               std::vector<Line>& lines) const {
    while (true) {
        std::size_t end = 0;     // the line's text so far
        std::size_t lastFit = 0; // where the last word that fits ends
        int width = 0;
        bool overflow = false;
        while (end < paragraph.size()) {
            const std::size_t wordStart = paragraph.find_first_not_of(' ', end);
            if (wordStart == std::string_view::npos) {
                end = paragraph.size();
                break;
            }
            std::size_t wordEnd = paragraph.find(' ', wordStart);
            if (wordEnd == std::string_view::npos) wordEnd = paragraph.size();
            const int extended = width + Width(paragraph.substr(end, wordEnd - end));
            if (extended > maxWidth && lastFit > 0) {
                overflow = true;
                break;
            }
            width = extended;
            end = lastFit = wordEnd;
        }
        const std::string_view text =
            TrimTrailingSpaces(paragraph.substr(0, overflow ? lastFit : end));
        lines.push_back({text, Width(text)});
        if (!overflow) return;
        const std::size_t next = paragraph.find_first_not_of(' ', lastFit);
        paragraph.remove_prefix(next == std::string_view::npos ? paragraph.size() : next);
    }
}

std::vector<TextLayout::Line> TextLayout::BreakLines(std::string_view text, const RECT& box,
                                                     DWORD format) const {
    std::vector<Line> lines;
    if (format & DT_SINGLELINE) {
        lines.push_back({text, Width(text)});
        return lines;
    }
    const int maxWidth = box.right - box.left;
    while (true) {
        std::size_t end = 0;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        const std::string_view paragraph = text.substr(0, end);
        if (format & DT_WORDBREAK)
            WrapParagraph(paragraph, maxWidth, lines);
        else
            lines.push_back({paragraph, Width(paragraph)});
        if (end == text.size()) return lines;
        // "\r\n" is one break.
        const std::size_t breakLength = text.substr(end, 2) == "\r\n" ? 2 : 1;
        text.remove_prefix(end + breakLength);
    }
}

TextBlock TextLayout::Lay(std::string_view text, const RECT& box, DWORD format) const {
    const std::vector<Line> lines = BreakLines(text, box, format);
    TextBlock block;
    block.lineCount = static_cast<int>(lines.size());
    block.height = block.lineCount * lineHeight;
    int top = box.top;
    if (format & DT_BOTTOM)
        top = box.bottom - block.height;
    else if (format & DT_VCENTER)
        top = box.top + (box.bottom - box.top - block.height) / 2;
    for (const Line& line : lines) {
        int x = box.left;
        if (format & DT_RIGHT)
            x = box.right - line.width;
        else if (format & DT_CENTER)
            x = box.left + (box.right - box.left - line.width) / 2;
        for (const char c : line.text) {
            const int step = AdvanceOf(c);
            if (c != ' ' && CodePoint(c) >= 0x20)
                block.characters.push_back({CodePoint(c), x, top});
            x += step;
        }
        top += lineHeight;
    }
    return block;
}
