// Processor noise: one fractal evaluation as the camera shake and the scenes make them, and the
// whole noise volume that the data build stores and a data file without it makes the program
// generate.
#include "Framework/Noise.h"
#include "Framework/NoiseVolume.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

void PerlinNoise3DCall(benchmark::State& state) {
    float x = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PerlinNoise3D(x, 0.5f * x + 1.3f, 2.1f - x));
        x += 0.013f;
        if (x > 100.0f) x = 0.0f;
    }
}
BENCHMARK(PerlinNoise3DCall);

void PerlinNoise1DCall(benchmark::State& state) {
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(PerlinNoise1D(8.0f * t, 2.0f, 2.0f, 5));
        t += 1.0f / 60.0f;
    }
}
BENCHMARK(PerlinNoise1DCall);

void WholeNoiseVolume(benchmark::State& state) {
    std::vector<std::uint8_t> volume(kNoiseVolumeBytes);
    for (auto _ : state) {
        GenerateNoiseVolume(volume.data(), kNoiseVolumeSize,
                            static_cast<std::size_t>(kNoiseVolumeSize) * kNoiseVolumeSize);
        benchmark::DoNotOptimize(volume.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(kNoiseVolumeBytes));
}
BENCHMARK(WholeNoiseVolume)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace
