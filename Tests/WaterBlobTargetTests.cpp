// The water blobs' target table: its anchored rows, its extent, how closely the path's points
// follow each other and the funnel they draw.
#include "Modules/Water/BlobTargets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

using WaterBlobs::BlobTarget;
using WaterBlobs::kBlobCount;
using WaterBlobs::kBlobTargets;

struct ScreenPoint {
    double x;
    double y;
};

// The mapping the water applies to a table row (y up, screen -1..1).
ScreenPoint ToScreen(const BlobTarget& target) {
    return {target.x / 3500.0 - 1.5, 0.7 - 0.0004 * target.y};
}

struct AnchoredRow {
    int index;
    BlobTarget expected;
};

TEST(WaterBlobTargets, AnchoredRowsHoldTheirValues) {
    const AnchoredRow rows[] = {{0, {5410, 3728}}, {1, {5529, 3519}}, {2, {5629, 3322}},
                                {3, {5731, 3131}}, {4, {5835, 2927}}, {299, {5980, 460}}};
    for (const AnchoredRow& row : rows) {
        SCOPED_TRACE(row.index);
        EXPECT_EQ(kBlobTargets[row.index].x, row.expected.x);
        EXPECT_EQ(kBlobTargets[row.index].y, row.expected.y);
    }
}

TEST(WaterBlobTargets, RowsSpanExactlyTheFunnelsBox) {
    const auto [minX, maxX] =
        std::minmax_element(kBlobTargets.begin(), kBlobTargets.end(),
                            [](const BlobTarget& a, const BlobTarget& b) { return a.x < b.x; });
    const auto [minY, maxY] =
        std::minmax_element(kBlobTargets.begin(), kBlobTargets.end(),
                            [](const BlobTarget& a, const BlobTarget& b) { return a.y < b.y; });
    EXPECT_EQ(minX->x, 3458);
    EXPECT_EQ(maxX->x, 7341);
    EXPECT_EQ(minY->y, 303);
    EXPECT_EQ(maxY->y, 3728);
}

// Blobs of half size 0.12 merge into one stroke only while neighbours stay this close, and
// points much closer than the lower bound would pile blobs onto each other.
TEST(WaterBlobTargets, ConsecutiveRowsStayCloseOnScreen) {
    for (int i = 1; i < kBlobCount; ++i) {
        const ScreenPoint a = ToScreen(kBlobTargets[i - 1]);
        const ScreenPoint b = ToScreen(kBlobTargets[i]);
        const double step = std::hypot(b.x - a.x, b.y - a.y);
        EXPECT_GE(step, 0.02) << "between rows " << i - 1 << " and " << i;
        EXPECT_LE(step, 0.091) << "between rows " << i - 1 << " and " << i;
    }
}

TEST(WaterBlobTargets, OutlineIsWideAtTheTopAndNarrowAtTheBottom) {
    std::vector<ScreenPoint> points;
    for (const BlobTarget& target : kBlobTargets)
        points.push_back(ToScreen(target));
    const auto [lowest, highest] =
        std::minmax_element(points.begin(), points.end(),
                            [](const ScreenPoint& a, const ScreenPoint& b) { return a.y < b.y; });
    const double quarter = (highest->y - lowest->y) / 4;
    const double bottomLimit = lowest->y + quarter;
    const double topLimit = highest->y - quarter;

    auto spreadOfX = [&](auto inBand) {
        double least = 2, most = -2;
        for (const ScreenPoint& point : points) {
            if (!inBand(point.y)) continue;
            least = std::min(least, point.x);
            most = std::max(most, point.x);
        }
        return most - least;
    };
    const double top = spreadOfX([&](double y) { return y >= topLimit; });
    const double bottom = spreadOfX([&](double y) { return y <= bottomLimit; });
    EXPECT_GT(bottom, 0.0);
    EXPECT_GT(top, 3 * bottom);
}

} // namespace
