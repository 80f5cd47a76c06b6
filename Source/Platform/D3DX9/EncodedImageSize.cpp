#include "Platform/D3DX9/EncodedImageSize.h"

#include <algorithm>

namespace {

std::uint32_t Little(std::span<const std::uint8_t> file, std::size_t offset, int bytes) {
    std::uint32_t value = 0;
    for (int i = 0; i < bytes; ++i)
        if (offset + i < file.size())
            value |= static_cast<std::uint32_t>(file[offset + i]) << (8 * i);
    return value;
}

// BMP pixels are stored whole: rows of `bitCount` bits a pixel padded to 4 bytes, from the
// file's pixel offset on.
std::uint64_t BmpSize(std::span<const std::uint8_t> file, std::uint64_t width,
                      std::uint64_t height) {
    const std::uint32_t infoSize = Little(file, 14, 4);
    const std::uint32_t bitCount = Little(file, infoSize == 12 ? 24 : 28, 2);
    const std::uint64_t pixelOffset = std::max<std::uint64_t>(Little(file, 10, 4), 14 + infoSize);
    const std::uint64_t rowBytes = (width * bitCount + 31) / 32 * 4;
    return pixelOffset + rowBytes * height;
}

// TGA pixels follow the header, the image id and the colour map, stored whole or as run-length
// packets of at most 128 pixels, each a count byte and at least one pixel.
std::uint64_t TgaSize(std::span<const std::uint8_t> file, std::uint64_t width,
                      std::uint64_t height) {
    constexpr std::uint64_t kHeaderSize = 18;
    const std::uint32_t idLength = Little(file, 0, 1);
    const std::uint32_t imageType = Little(file, 2, 1);
    const std::uint32_t mapLength = Little(file, 5, 2);
    const std::uint32_t mapEntryBytes = (Little(file, 7, 1) + 7) / 8;
    const std::uint32_t pixelBytes = (Little(file, 16, 1) + 7) / 8;
    const std::uint64_t before = kHeaderSize + idLength + std::uint64_t{mapLength} * mapEntryBytes;
    const std::uint64_t pixels = width * height;
    if (imageType >= 9) return before + (pixels + 127) / 128 * (1 + pixelBytes);
    return before + pixels * pixelBytes;
}

} // namespace

bool HoldsDeclaredPixels(std::span<const std::uint8_t> file, D3DXIMAGE_FILEFORMAT format,
                         UINT width, UINT height) {
    switch (format) {
    case D3DXIFF_BMP:
        return file.size() >= BmpSize(file, width, height);
    case D3DXIFF_TGA:
        return file.size() >= TgaSize(file, width, height);
    case D3DXIFF_JPG: {
        // Every 8 x 8 block of the first component starts with a Huffman-coded DC
        // difference of at least one bit.
        const std::uint64_t blocks = (std::uint64_t{width} + 7) / 8 * ((height + 7) / 8);
        return file.size() * 8 >= blocks;
    }
    default:
        return true;
    }
}
