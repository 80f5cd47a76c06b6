// Classic gradient noise (B = 256 lattice points, offset N = 4096) in one and three dimensions,
// with its fractal sums. The tables are process-wide and built from the shared random
// generator at the first noise call, with whatever state the generator has then.
#pragma once

#include <array>

constexpr int kNoiseLattice = 256;
constexpr int kNoiseTableSize = 2 * kNoiseLattice + 2;

struct NoiseTables {
    std::array<int, kNoiseTableSize> permutation;
    std::array<float, kNoiseTableSize> gradient1D;
    std::array<std::array<float, 2>, kNoiseTableSize> gradient2D;
    std::array<std::array<float, 3>, kNoiseTableSize> gradient3D;
};

// Draws a fresh set of tables from the shared random generator: per lattice point its 1D, 2D
// and 3D gradients, then the permutation's shuffle, then the repeated tail.
NoiseTables BuildNoiseTables();
// The process-wide tables, built on first use.
const NoiseTables& SharedNoiseTables();

float noise1(float x);
float noise3(float x, float y, float z);

// Sum over octaves i of noise1(x * beta^i) / alpha^i.
float PerlinNoise1D(float x, float alpha, float beta, int octaves);
// Six octaves of noise3 with alpha = beta = 2.
float PerlinNoise3D(float x, float y, float z);
