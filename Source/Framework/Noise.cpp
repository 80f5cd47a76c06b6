#include "Framework/Noise.h"

#include "Framework/SharedRandom.h"

#include <cmath>
#include <utility>

namespace {

constexpr int kLatticeMask = kNoiseLattice - 1;
constexpr float kOffset = 4096.0f;

// A gradient component in [-1, 1): ((rand mod 512) - 256) / 256.
float RandomComponent() {
    return static_cast<float>(SharedRandom::Next() % (2 * kNoiseLattice) - kNoiseLattice) /
           static_cast<float>(kNoiseLattice);
}

// A zero vector (every component drawn as 0) stays zero rather than becoming NaN.
template <std::size_t N>
void Normalise(std::array<float, N>& v) {
    float lengthSquared = 0.0f;
    for (const float c : v)
        lengthSquared += c * c;
    const float length = std::sqrt(lengthSquared);
    if (length == 0.0f) return;
    for (float& c : v)
        c /= length;
}

float SCurve(float t) {
    return t * t * (3.0f - 2.0f * t);
}
float Lerp(float t, float a, float b) {
    return a + t * (b - a);
}

// One axis of the lattice set-up: the two lattice indices and the fractions from each.
struct Axis {
    explicit Axis(float coordinate) {
        const float t = coordinate + kOffset;
        const int whole = static_cast<int>(t);
        low = whole & kLatticeMask;
        high = (low + 1) & kLatticeMask;
        fromLow = t - static_cast<float>(whole);
        fromHigh = fromLow - 1.0f;
    }
    int low, high;
    float fromLow, fromHigh;
};

float Dot3(const std::array<float, 3>& g, float x, float y, float z) {
    return x * g[0] + y * g[1] + z * g[2];
}

} // namespace

NoiseTables BuildNoiseTables() {
    NoiseTables tables{};
    int i = 0;
    for (; i < kNoiseLattice; ++i) {
        tables.permutation[i] = i;
        tables.gradient1D[i] = RandomComponent();
        for (float& c : tables.gradient2D[i])
            c = RandomComponent();
        Normalise(tables.gradient2D[i]);
        for (float& c : tables.gradient3D[i])
            c = RandomComponent();
        Normalise(tables.gradient3D[i]);
    }
    while (--i > 0) {
        const int j = SharedRandom::Next() % kNoiseLattice;
        std::swap(tables.permutation[i], tables.permutation[j]);
    }
    for (i = 0; i < kNoiseLattice + 2; ++i) {
        tables.permutation[kNoiseLattice + i] = tables.permutation[i];
        tables.gradient1D[kNoiseLattice + i] = tables.gradient1D[i];
        tables.gradient2D[kNoiseLattice + i] = tables.gradient2D[i];
        tables.gradient3D[kNoiseLattice + i] = tables.gradient3D[i];
    }
    return tables;
}

const NoiseTables& SharedNoiseTables() {
    static const NoiseTables tables = BuildNoiseTables();
    return tables;
}

float noise1(float x) {
    const NoiseTables& tables = SharedNoiseTables();
    const Axis ax(x);
    const float u = ax.fromLow * tables.gradient1D[tables.permutation[ax.low]];
    const float v = ax.fromHigh * tables.gradient1D[tables.permutation[ax.high]];
    return Lerp(SCurve(ax.fromLow), u, v);
}

float noise3(float x, float y, float z) {
    const NoiseTables& tables = SharedNoiseTables();
    const auto& p = tables.permutation;
    const auto& g = tables.gradient3D;
    const Axis ax(x), ay(y), az(z);

    const int i = p[ax.low];
    const int j = p[ax.high];
    const int b00 = p[i + ay.low];
    const int b10 = p[j + ay.low];
    const int b01 = p[i + ay.high];
    const int b11 = p[j + ay.high];

    const float sx = SCurve(ax.fromLow);
    const float sy = SCurve(ay.fromLow);
    const float sz = SCurve(az.fromLow);

    auto face = [&](int iz, float rz) {
        const float a = Lerp(sx, Dot3(g[b00 + iz], ax.fromLow, ay.fromLow, rz),
                             Dot3(g[b10 + iz], ax.fromHigh, ay.fromLow, rz));
        const float b = Lerp(sx, Dot3(g[b01 + iz], ax.fromLow, ay.fromHigh, rz),
                             Dot3(g[b11 + iz], ax.fromHigh, ay.fromHigh, rz));
        return Lerp(sy, a, b);
    };
    return Lerp(sz, face(az.low, az.fromLow), face(az.high, az.fromHigh));
}

float PerlinNoise1D(float x, float alpha, float beta, int octaves) {
    float sum = 0.0f;
    float scale = 1.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += noise1(x) / scale;
        scale *= alpha;
        x *= beta;
    }
    return sum;
}

float PerlinNoise3D(float x, float y, float z) {
    constexpr int kOctaves = 6;
    float sum = 0.0f;
    float scale = 1.0f;
    for (int i = 0; i < kOctaves; ++i) {
        sum += noise3(x, y, z) / scale;
        scale *= 2.0f;
        x *= 2.0f;
        y *= 2.0f;
        z *= 2.0f;
    }
    return sum;
}
