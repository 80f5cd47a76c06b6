// The noise volume: 128 x 128 x 128 bytes of fractal noise that tiles along every axis, as
// the shared noise texture holds it and "Data\noise.bin" stores it (x fastest, then y, then z).
#pragma once

#include <cstddef>
#include <cstdint>

constexpr int kNoiseVolumeSize = 128;
constexpr std::size_t kNoiseVolumeBytes =
    static_cast<std::size_t>(kNoiseVolumeSize) * kNoiseVolumeSize * kNoiseVolumeSize;
// The field's period in noise space: 128 texels at 0.05 a texel.
constexpr float kNoiseVolumePeriod = 6.4f;
constexpr float kNoiseVolumeTexelStep = 0.05f;

// PerlinNoise3D blended over the eight corners of the period cube so that the field at a
// coordinate equals the field at that coordinate plus the period; unnormalised.
float TileableNoise(float a, float b, float c);
// The byte of a texel: 255 x clamp(value / period^3 + 0.55, 0, 1), truncated.
std::uint8_t NoiseVolumeTexel(int x, int y, int z);
// Fills the volume row by row and slice by slice through the given pitches in bytes.
void GenerateNoiseVolume(std::uint8_t* texels, std::size_t rowPitch, std::size_t slicePitch);
