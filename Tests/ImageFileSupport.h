// Image files made in memory for the texture loader's tests: PNG, BMP, TGA and JPEG through
// stb_image_write, and DDS files with every header field at hand, so that a test can make a
// header lie.
#pragma once

#include <stb_image_write.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

using FileBytes = std::vector<std::uint8_t>;

enum class ImageWriter { Png, Bmp, Tga, Jpeg };

// `pixels` holds `channels` bytes a pixel, rows top first.
inline FileBytes EncodeImage(ImageWriter writer, int width, int height, int channels,
                             const std::vector<std::uint8_t>& pixels) {
    FileBytes file;
    const auto append = [](void* context, void* data, int size) {
        auto* out = static_cast<FileBytes*>(context);
        const auto* bytes = static_cast<const std::uint8_t*>(data);
        out->insert(out->end(), bytes, bytes + size);
    };
    switch (writer) {
    case ImageWriter::Png:
        stbi_write_png_to_func(append, &file, width, height, channels, pixels.data(),
                               width * channels);
        break;
    case ImageWriter::Bmp:
        stbi_write_bmp_to_func(append, &file, width, height, channels, pixels.data());
        break;
    case ImageWriter::Tga:
        stbi_write_tga_to_func(append, &file, width, height, channels, pixels.data());
        break;
    case ImageWriter::Jpeg:
        stbi_write_jpg_to_func(append, &file, width, height, channels, pixels.data(), 100);
        break;
    }
    return file;
}

// A DDS file: the 128-byte header with the fields of an uncompressed 2D image, then the data.
struct DdsFile {
    static constexpr std::uint32_t kRgb = 0x40, kAlphaPixels = 0x1, kAlphaOnly = 0x2,
                                   kLuminance = 0x20000, kFourCC = 0x4;
    static constexpr std::uint32_t kMipMapCount = 0x20000, kCubeMap = 0x200, kAllFaces = 0xFC00,
                                   kVolume = 0x200000;

    std::uint32_t headerSize = 124;
    std::uint32_t flags = 0x1007; // caps, height, width, pixel format
    std::uint32_t height = 1;
    std::uint32_t width = 1;
    std::uint32_t mipMapCount = 0;
    std::uint32_t pixelFormatSize = 32;
    std::uint32_t pixelFlags = kRgb | kAlphaPixels;
    std::uint32_t fourCC = 0;
    std::uint32_t bitCount = 32;
    std::uint32_t masks[4] = {0xFF0000, 0xFF00, 0xFF, 0xFF000000}; // r, g, b, a
    std::uint32_t caps2 = 0;
    FileBytes data;

    static DdsFile Format(std::uint32_t pixelFlags, std::uint32_t bitCount,
                          std::initializer_list<std::uint32_t> masks) {
        DdsFile file;
        file.pixelFlags = pixelFlags;
        file.bitCount = bitCount;
        std::copy(masks.begin(), masks.end(), file.masks);
        return file;
    }
    static DdsFile FourCC(std::uint32_t code) {
        DdsFile file;
        file.pixelFlags = kFourCC;
        file.fourCC = code;
        file.bitCount = 0;
        std::fill(std::begin(file.masks), std::end(file.masks), 0u);
        return file;
    }

    FileBytes Bytes() const {
        FileBytes file = {'D', 'D', 'S', ' '};
        const auto put = [&](std::uint32_t value) {
            for (int i = 0; i < 4; ++i)
                file.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        };
        put(headerSize);
        put(flags);
        put(height);
        put(width);
        put(0); // pitch, which readers compute
        put(0); // depth
        put(mipMapCount);
        for (int i = 0; i < 11; ++i)
            put(0);
        put(pixelFormatSize);
        put(pixelFlags);
        put(fourCC);
        put(bitCount);
        for (const std::uint32_t mask : masks)
            put(mask);
        put(0x1000); // caps: texture
        put(caps2);
        for (int i = 0; i < 3; ++i)
            put(0);
        file.insert(file.end(), data.begin(), data.end());
        return file;
    }
};

// Little-endian bytes of 32-bit words, as DDS texels are stored.
inline FileBytes Words(std::initializer_list<std::uint32_t> words) {
    FileBytes bytes;
    for (const std::uint32_t word : words)
        for (int i = 0; i < 4; ++i)
            bytes.push_back(static_cast<std::uint8_t>(word >> (8 * i)));
    return bytes;
}

inline FileBytes Floats(std::initializer_list<float> values) {
    FileBytes bytes(values.size() * sizeof(float));
    std::memcpy(bytes.data(), values.begin(), bytes.size());
    return bytes;
}
