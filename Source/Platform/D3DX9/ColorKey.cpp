#include "Platform/D3DX9/ColorKey.h"

#include <cmath>

namespace {

D3DCOLOR ToArgb(const TextureImage::Texel& texel) {
    D3DCOLOR argb = 0;
    for (const int c : {3, 0, 1, 2}) {
        const float value = texel[c] > 0 ? (texel[c] < 1 ? texel[c] : 1) : 0;
        argb = argb << 8 | static_cast<D3DCOLOR>(std::lround(value * 255.0f));
    }
    return argb;
}

} // namespace

void ApplyColorKey(TextureImage& image, D3DCOLOR key) {
    if (key == 0) return;
    for (auto& texel : image.texels)
        if (ToArgb(texel) == key) texel = {0, 0, 0, 0};
}
