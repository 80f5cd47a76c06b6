#include "Platform/D3DX9/ImageResampler.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

struct Tap {
    UINT index;
    float weight;
};
// For each destination index along one axis, the source texels it reads.
using AxisTaps = std::vector<std::vector<Tap>>;

UINT Address(std::int64_t index, UINT size, bool mirror) {
    const std::int64_t n = size;
    if (!mirror) return static_cast<UINT>(((index % n) + n) % n);
    const std::int64_t folded = ((index % (2 * n)) + 2 * n) % (2 * n);
    return static_cast<UINT>(folded < n ? folded : 2 * n - 1 - folded);
}

// The taps of one destination texel whose centre lies at `centre` in source coordinates, each
// source texel weighted by `weight(distance from its centre)`, normalised to sum 1.
template <typename Weight>
std::vector<Tap> WeightedTaps(double centre, double radius, UINT size, bool mirror, Weight weight) {
    std::vector<Tap> taps;
    double total = 0;
    const auto first = static_cast<std::int64_t>(std::floor(centre - radius));
    const auto last = static_cast<std::int64_t>(std::ceil(centre + radius));
    for (std::int64_t i = first; i <= last; ++i) {
        const double w = weight(static_cast<double>(i) + 0.5 - centre);
        if (w <= 0) continue;
        taps.push_back({Address(i, size, mirror), static_cast<float>(w)});
        total += w;
    }
    for (Tap& tap : taps)
        tap.weight = static_cast<float>(tap.weight / total);
    return taps;
}

std::vector<Tap> TapsOf(UINT destination, UINT sourceSize, double scale, ImageFilter::Type type,
                        bool mirror) {
    const double centre = (destination + 0.5) * scale;
    switch (type) {
    case ImageFilter::Type::Point: {
        const auto index = static_cast<UINT>(std::floor(centre));
        return {{std::min(index, sourceSize - 1), 1.0f}};
    }
    case ImageFilter::Type::Linear: {
        const double position = centre - 0.5;
        const double base = std::floor(position);
        const auto fraction = static_cast<float>(position - base);
        const auto index = static_cast<std::int64_t>(base);
        return {{Address(index, sourceSize, mirror), 1.0f - fraction},
                {Address(index + 1, sourceSize, mirror), fraction}};
    }
    case ImageFilter::Type::Triangle: {
        const double radius = std::max(1.0, scale);
        return WeightedTaps(centre, radius, sourceSize, mirror, [radius](double distance) {
            return 1.0 - std::abs(distance) / radius;
        });
    }
    case ImageFilter::Type::None: // copied unscaled before any taps are made
    case ImageFilter::Type::Box: {
        // The overlap of each source texel with the destination texel's footprint.
        const double half = std::max(0.5, scale / 2);
        return WeightedTaps(centre, half, sourceSize, mirror, [half](double distance) {
            const double low = std::max(distance - 0.5, -half);
            const double high = std::min(distance + 0.5, half);
            return high - low;
        });
    }
    }
    return {};
}

AxisTaps TapsAlong(UINT sourceSize, UINT destinationSize, ImageFilter::Type type, bool mirror) {
    AxisTaps taps(destinationSize);
    const double scale = static_cast<double>(sourceSize) / destinationSize;
    for (UINT d = 0; d < destinationSize; ++d)
        taps[d] = TapsOf(d, sourceSize, scale, type, mirror);
    return taps;
}

TextureImage CopyUnscaled(const TextureImage& source, UINT width, UINT height) {
    TextureImage result(width, height);
    const UINT copyWidth = std::min(width, source.width);
    const UINT copyHeight = std::min(height, source.height);
    for (UINT y = 0; y < copyHeight; ++y)
        std::copy_n(&source.At(0, y), copyWidth, &result.At(0, y));
    return result;
}

} // namespace

TextureImage Resample(const TextureImage& source, UINT width, UINT height,
                      const ImageFilter& filter) {
    if (width == source.width && height == source.height) return source;
    if (filter.type == ImageFilter::Type::None) return CopyUnscaled(source, width, height);

    const AxisTaps across = TapsAlong(source.width, width, filter.type, filter.mirrorU);
    const AxisTaps down = TapsAlong(source.height, height, filter.type, filter.mirrorV);
    // Rows first, then columns, each destination row gathering whole source rows.
    TextureImage rows(width, source.height);
    for (UINT y = 0; y < source.height; ++y)
        for (UINT x = 0; x < width; ++x)
            for (const Tap& tap : across[x])
                for (int c = 0; c < 4; ++c)
                    rows.At(x, y)[c] += source.At(tap.index, y)[c] * tap.weight;
    TextureImage result(width, height);
    for (UINT y = 0; y < height; ++y)
        for (const Tap& tap : down[y])
            for (UINT x = 0; x < width; ++x)
                for (int c = 0; c < 4; ++c)
                    result.At(x, y)[c] += rows.At(x, tap.index)[c] * tap.weight;
    return result;
}
