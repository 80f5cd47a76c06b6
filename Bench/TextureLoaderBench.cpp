// The texture loaders' CPU side on a 512 x 512 RGBA PNG: decoding alone, and decoding with the
// whole mip chain as the effect loader asks for it (LINEAR image filter, box mips) and with the
// defaults on a size that needs scaling up.
#include "Platform/D3DX9/ImageDecoder.h"
#include "Platform/D3DX9/TextureContents.h"

#include <benchmark/benchmark.h>
#include <stb_image_write.h>

#include <cstdint>
#include <vector>

namespace {

std::vector<std::uint8_t> NoisyPng(int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 4);
    std::uint32_t seed = 12345;
    for (auto& byte : pixels) {
        seed = seed * 1664525u + 1013904223u;
        byte = static_cast<std::uint8_t>(seed >> 24);
    }
    std::vector<std::uint8_t> file;
    stbi_write_png_to_func(
        [](void* context, void* data, int size) {
            auto* out = static_cast<std::vector<std::uint8_t>*>(context);
            out->insert(out->end(), static_cast<std::uint8_t*>(data),
                        static_cast<std::uint8_t*>(data) + size);
        },
        &file, width, height, 4, pixels.data(), width * 4);
    return file;
}

void DecodePng512(benchmark::State& state) {
    const std::vector<std::uint8_t> png = NoisyPng(512, 512);
    for (auto _ : state)
        benchmark::DoNotOptimize(DecodeImageFile(png));
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(png.size()));
}
BENCHMARK(DecodePng512)->Unit(benchmark::kMillisecond);

void PrepareContents(benchmark::State& state, int width, int height, TextureRequest request) {
    const std::vector<std::uint8_t> png = NoisyPng(width, height);
    TextureContents contents;
    for (auto _ : state) {
        PrepareTextureContents(png, request, D3DRTYPE_TEXTURE, contents);
        benchmark::DoNotOptimize(contents.faces.data());
    }
}

void EffectTexture512(benchmark::State& state) {
    TextureRequest request;
    request.mipLevels = 0;
    request.format = D3DFMT_FROM_FILE;
    request.filter = D3DX_FILTER_LINEAR;
    request.mipFilter = D3DX_FILTER_DITHER_DIFFUSION;
    PrepareContents(state, 512, 512, request);
}
BENCHMARK(EffectTexture512)->Unit(benchmark::kMillisecond);

// 400 x 300 scales up to 512 x 512 with the default triangle filter.
void DefaultTexture400x300(benchmark::State& state) {
    PrepareContents(state, 400, 300, TextureRequest{});
}
BENCHMARK(DefaultTexture400x300)->Unit(benchmark::kMillisecond);

} // namespace
