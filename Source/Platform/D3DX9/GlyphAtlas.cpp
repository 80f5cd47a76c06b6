#include "Platform/D3DX9/GlyphAtlas.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int kPadding = 1; // keeps neighbours out of a glyph's edge texels
constexpr int kTexelBytes = 4;

} // namespace

GlyphAtlas::GlyphAtlas(const FontFace& fontFace)
    : face(fontFace), texels(static_cast<std::size_t>(kWidth) * height * kTexelBytes, 0) {}

GlyphAtlas::~GlyphAtlas() {
    if (texture != nullptr) texture->Release();
}

const AtlasGlyph& GlyphAtlas::Find(std::uint32_t codePoint) {
    if (const auto found = glyphs.find(codePoint); found != glyphs.end()) return found->second;
    const GlyphImage image = face.Render(codePoint);
    AtlasGlyph glyph{0, 0, 0, 0, image.left, image.top, image.advance};
    if (image.width > 0 && Place(image, glyph)) changed = true;
    return glyphs.emplace(codePoint, glyph).first->second;
}

bool GlyphAtlas::Place(const GlyphImage& image, AtlasGlyph& glyph) {
    if (image.width + kPadding > kWidth) return false;
    if (rowX + image.width + kPadding > kWidth) {
        rowY += rowHeight;
        rowX = 0;
        rowHeight = 0;
    }
    const int needed = rowY + image.height + kPadding;
    if (needed > kMaxHeight) return false;
    if (needed > height) {
        while (height < needed)
            height *= 2;
        texels.resize(static_cast<std::size_t>(kWidth) * height * kTexelBytes, 0);
    }
    glyph.x = rowX;
    glyph.y = rowY;
    glyph.width = image.width;
    glyph.height = image.height;
    for (int row = 0; row < image.height; ++row)
        for (int column = 0; column < image.width; ++column) {
            std::uint8_t* texel =
                texels.data() +
                ((static_cast<std::size_t>(rowY + row) * kWidth) + rowX + column) * kTexelBytes;
            std::memset(texel, 0xFF, 3);
            texel[3] = image.coverage[static_cast<std::size_t>(row) * image.width + column];
        }
    rowX += image.width + kPadding;
    rowHeight = std::max(rowHeight, image.height + kPadding);
    return true;
}

IDirect3DTexture9* GlyphAtlas::Texture(IDirect3DDevice9* device) {
    if (!changed) return texture;
    if (texture != nullptr && textureHeight != height) {
        texture->Release();
        texture = nullptr;
    }
    if (texture == nullptr) {
        if (FAILED(device->CreateTexture(kWidth, static_cast<UINT>(height), 1, 0, D3DFMT_A8R8G8B8,
                                         D3DPOOL_MANAGED, &texture, nullptr)))
            return texture = nullptr;
        textureHeight = height;
    }
    D3DLOCKED_RECT locked{};
    if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return nullptr;
    const std::size_t rowBytes = static_cast<std::size_t>(kWidth) * kTexelBytes;
    for (int row = 0; row < height; ++row)
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) +
                        static_cast<std::ptrdiff_t>(row) * locked.Pitch,
                    texels.data() + row * rowBytes, rowBytes);
    texture->UnlockRect(0);
    changed = false;
    return texture;
}
