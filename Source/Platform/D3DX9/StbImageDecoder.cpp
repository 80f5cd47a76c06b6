#include "Platform/D3DX9/StbImageDecoder.h"

#include "Platform/D3DX9/EncodedImageSize.h"

#include <stb_image.h>

#include <climits>
#include <memory>

namespace {

D3DXIMAGE_FILEFORMAT FileFormatOf(std::span<const std::uint8_t> file) {
    if (file.size() >= 8 && file[0] == 0x89 && file[1] == 'P' && file[2] == 'N' && file[3] == 'G')
        return D3DXIFF_PNG;
    if (file.size() >= 2 && file[0] == 0xFF && file[1] == 0xD8) return D3DXIFF_JPG;
    if (file.size() >= 2 && file[0] == 'B' && file[1] == 'M') return D3DXIFF_BMP;
    return D3DXIFF_TGA; // the one format without a signature
}

// The format D3DX reports for 8-bit files by their channel count; grey with alpha has no
// texture format of its own here and widens to ARGB.
D3DFORMAT FormatOfChannels(int channels) {
    switch (channels) {
    case 1:
        return D3DFMT_L8;
    case 3:
        return D3DFMT_R8G8B8;
    default:
        return D3DFMT_A8R8G8B8;
    }
}

} // namespace

std::optional<DecodedImage> DecodeWithStb(std::span<const std::uint8_t> file, UINT maxDimension) {
    if (file.empty() || file.size() > static_cast<std::size_t>(INT_MAX)) return std::nullopt;
    const int length = static_cast<int>(file.size());
    // The header alone bounds the size before anything is allocated for the texels.
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(file.data(), length, &width, &height, &channels))
        return std::nullopt;
    if (width <= 0 || height <= 0 || static_cast<UINT>(width) > maxDimension ||
        static_cast<UINT>(height) > maxDimension)
        return std::nullopt;
    const D3DXIMAGE_FILEFORMAT fileFormat = FileFormatOf(file);
    if (!HoldsDeclaredPixels(file, fileFormat, static_cast<UINT>(width), static_cast<UINT>(height)))
        return std::nullopt;

    const int declaredWidth = width, declaredHeight = height;
    const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
        stbi_load_from_memory(file.data(), length, &width, &height, &channels, 0), stbi_image_free);
    if (!pixels || width != declaredWidth || height != declaredHeight || channels < 1 ||
        channels > 4)
        return std::nullopt;

    TextureImage level(static_cast<UINT>(width), static_cast<UINT>(height));
    const stbi_uc* source = pixels.get();
    for (auto& texel : level.texels) {
        float values[4];
        for (int i = 0; i < channels; ++i)
            values[i] = static_cast<float>(source[i]) / 255.0f;
        source += channels;
        const bool grey = channels < 3;
        const float alpha = channels == 2 ? values[1] : channels == 4 ? values[3] : 1.0f;
        texel = grey ? TextureImage::Texel{values[0], values[0], values[0], alpha}
                     : TextureImage::Texel{values[0], values[1], values[2], alpha};
    }

    DecodedImage image;
    image.info = {level.width,      level.height, 1, 1, FormatOfChannels(channels),
                  D3DRTYPE_TEXTURE, fileFormat};
    image.faces.push_back({std::move(level)});
    return image;
}
