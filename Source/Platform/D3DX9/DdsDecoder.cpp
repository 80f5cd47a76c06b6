#include "Platform/D3DX9/DdsDecoder.h"

#include "Platform/D3DX9/DdsPixelFormat.h"

#include <algorithm>
#include <bit>

namespace {

constexpr std::size_t kSignatureSize = 4;
constexpr std::uint32_t kHeaderSize = 124;
constexpr std::uint32_t kPixelFormatSize = 32;
constexpr std::size_t kDataOffset = kSignatureSize + kHeaderSize;

constexpr std::uint32_t kFlagMipMapCount = 0x20000;
constexpr std::uint32_t kFlagDepth = 0x800000;
constexpr std::uint32_t kCaps2CubeMap = 0x200;
constexpr std::uint32_t kCaps2AllFaces = 0xFC00;
constexpr std::uint32_t kCaps2Volume = 0x200000;

std::uint32_t Field(std::span<const std::uint8_t> file, std::size_t headerOffset) {
    const std::uint8_t* bytes = file.data() + kSignatureSize + headerOffset;
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

UINT FullChainLength(UINT width, UINT height) {
    return static_cast<UINT>(std::bit_width(std::max(width, height)));
}

TextureImage ReadLevel(const std::uint8_t* texels, UINT width, UINT height,
                       const DdsPixelFormat& format) {
    TextureImage level(width, height);
    for (auto& texel : level.texels) {
        texel = format.Read(texels);
        texels += format.BytesPerTexel();
    }
    return level;
}

} // namespace

bool HasDdsSignature(std::span<const std::uint8_t> file) {
    return file.size() >= kSignatureSize && file[0] == 'D' && file[1] == 'D' && file[2] == 'S' &&
           file[3] == ' ';
}

std::optional<DecodedImage> DecodeDds(std::span<const std::uint8_t> file, UINT maxDimension) {
    if (!HasDdsSignature(file) || file.size() < kDataOffset) return std::nullopt;
    if (Field(file, 0) != kHeaderSize || Field(file, 72) != kPixelFormatSize) return std::nullopt;
    const std::uint32_t flags = Field(file, 4);
    const UINT height = Field(file, 8);
    const UINT width = Field(file, 12);
    const std::uint32_t caps2 = Field(file, 108);
    if (width == 0 || height == 0 || width > maxDimension || height > maxDimension)
        return std::nullopt;
    if ((flags & kFlagDepth) || (caps2 & kCaps2Volume)) return std::nullopt;
    const bool cube = caps2 & kCaps2CubeMap;
    if (cube && ((caps2 & kCaps2AllFaces) != kCaps2AllFaces || width != height))
        return std::nullopt;

    UINT levelCount = 1;
    if (flags & kFlagMipMapCount) levelCount = std::max(Field(file, 24), 1u);
    if (levelCount > FullChainLength(width, height)) return std::nullopt;

    const auto format =
        DdsPixelFormat::From({Field(file, 76), Field(file, 80), Field(file, 84), Field(file, 88),
                              Field(file, 92), Field(file, 96), Field(file, 100)});
    if (!format) return std::nullopt;

    // The header's pitch is not trusted: uncompressed rows are packed, so the sizes follow from
    // the dimensions alone.
    const UINT faceCount = cube ? 6 : 1;
    std::uint64_t needed = 0;
    for (UINT level = 0; level < levelCount; ++level)
        needed += static_cast<std::uint64_t>(std::max(width >> level, 1u)) *
                  std::max(height >> level, 1u) * format->BytesPerTexel();
    if (needed * faceCount > file.size() - kDataOffset) return std::nullopt;

    DecodedImage image;
    image.info = {width,
                  height,
                  1,
                  levelCount,
                  format->FileFormat(),
                  cube ? D3DRTYPE_CUBETEXTURE : D3DRTYPE_TEXTURE,
                  D3DXIFF_DDS};
    const std::uint8_t* texels = file.data() + kDataOffset;
    for (UINT face = 0; face < faceCount; ++face) {
        auto& levels = image.faces.emplace_back();
        for (UINT level = 0; level < levelCount; ++level) {
            const UINT levelWidth = std::max(width >> level, 1u);
            const UINT levelHeight = std::max(height >> level, 1u);
            levels.push_back(ReadLevel(texels, levelWidth, levelHeight, *format));
            texels += static_cast<std::size_t>(levelWidth) * levelHeight * format->BytesPerTexel();
        }
    }
    return image;
}
