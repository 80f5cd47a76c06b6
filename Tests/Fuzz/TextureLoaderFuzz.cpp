// libFuzzer target: the texture loaders' CPU side on an arbitrary image file, as the effect
// loader asks for 2D textures (filter NONE, and LINEAR with the default box mips) and as cube
// maps are loaded, then every level written in its format into a buffer of exactly its size, so
// that the sanitizers catch any overrun.

#include "Platform/D3DX9/TexelWriter.h"
#include "Platform/D3DX9/TextureContents.h"

#include <cstdint>
#include <memory>

namespace {

// Smaller than the device's limit, so that one input costs milliseconds rather than seconds;
// the decoders' size checks are the same at any limit.
constexpr UINT kFuzzMaxDimension = 256;

void WriteEveryLevel(const TextureContents& contents) {
    const UINT texelSize = TexelSize(contents.layout.format);
    for (const auto& levels : contents.faces)
        for (const TextureImage& level : levels) {
            const int pitch = static_cast<int>(level.width * texelSize);
            const auto bytes =
                std::make_unique<std::uint8_t[]>(static_cast<std::size_t>(pitch) * level.height);
            WriteTexels(level, contents.layout.format, {pitch, bytes.get()});
        }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::span<const std::uint8_t> file(data, size);
    TextureRequest none;
    none.filter = none.mipFilter = D3DX_FILTER_NONE;
    TextureRequest linear;
    linear.filter = D3DX_FILTER_LINEAR;
    linear.mipFilter = D3DX_FILTER_DITHER_DIFFUSION;
    for (TextureRequest request : {none, linear}) {
        request.format = D3DFMT_FROM_FILE;
        request.mipLevels = 0;
        request.maxDimension = kFuzzMaxDimension;
        TextureContents contents;
        if (SUCCEEDED(PrepareTextureContents(file, request, D3DRTYPE_TEXTURE, contents)))
            WriteEveryLevel(contents);
    }
    TextureRequest cube;
    cube.maxDimension = kFuzzMaxDimension;
    TextureContents contents;
    if (SUCCEEDED(PrepareTextureContents(file, cube, D3DRTYPE_CUBETEXTURE, contents)))
        WriteEveryLevel(contents);
    return 0;
}
