// The water module's timing as functions of the time: the beat pulse, the blobs' ring and funnel,
// the surface parameters, the tube's geometry and the tunnel's curves.
#include "Modules/Water/BlobLayout.h"
#include "Modules/Water/BlobTargets.h"
#include "Modules/Water/TubeGeometry.h"
#include "Modules/Water/TunnelPath.h"
#include "Modules/Water/WaterSurface.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

using WaterBlobs::kBlobCount;
using WaterBlobs::PlaceBlob;

TEST(WaterBeat, PeaksOnIsolatedHitsAndAddsUpCloseOnes) {
    struct Case {
        float demoTime;
        float expected;
    };
    const Case cases[] = {
        {98.0f, 1.0f},                           // no other hit within a second
        {96.9f, 0.0f},                           // more than a second before 98
        {85.0f, 0.0f},                           // before every hit
        {90.19f, 2.0f * std::pow(0.81f, 8.0f)},  // between 90.0 and 90.38: about 0.37
        {90.0f, 1.0f + std::pow(0.62f, 8.0f)},   // 90.38 still contributes
        {110.75f, 1.0f + std::pow(0.25f, 8.0f)}, // the last hit
    };
    for (const Case& c : cases)
        EXPECT_NEAR(WaterSurface::BeatPulse(c.demoTime), c.expected, 1e-4f) << c.demoTime;
    EXPECT_NEAR(WaterSurface::BeatPulse(90.19f), 0.37f, 0.005f);
}

TEST(WaterBlobs, StartScatteredAndGatherIntoARingOfHalfRadius) {
    float nearest = 1.0f, farthest = 0.0f;
    for (int i = 0; i < kBlobCount; ++i) {
        const WaterBlobs::BlobPlacement blob = PlaceBlob(i, 0.0f, 0.0f);
        const float radius = std::hypot(blob.x, blob.y);
        nearest = std::min(nearest, radius);
        farthest = std::max(farthest, radius);
    }
    EXPECT_GE(nearest, 0.05f - 1e-4f);
    EXPECT_LT(nearest, 0.1f);
    EXPECT_LE(farthest, 1.0f + 1e-4f);
    EXPECT_GT(farthest, 0.95f);

    // The second stage starts where the first ends: the same ring, the same wobble.
    for (int i = 0; i < kBlobCount; ++i) {
        const WaterBlobs::BlobPlacement before = PlaceBlob(i, 2.9999f, 0.0f);
        const WaterBlobs::BlobPlacement after = PlaceBlob(i, 3.0f, 0.0f);
        EXPECT_NEAR(before.x, after.x, 1e-3f) << i;
        EXPECT_NEAR(before.y, after.y, 1e-3f) << i;
    }
}

TEST(WaterBlobs, SetOffOneAfterAnotherAndArriveAtTheirFunnelPoints) {
    EXPECT_EQ(WaterBlobs::FunnelProgress(0, 3.0f), 0.0f);
    EXPECT_GT(WaterBlobs::FunnelProgress(0, 3.01f), 0.0f);
    // Blob 299 sets off about 2.7 seconds after blob 0.
    EXPECT_EQ(WaterBlobs::FunnelProgress(299, 3.0f + 2.71f), 0.0f);
    EXPECT_GT(WaterBlobs::FunnelProgress(299, 3.0f + 2.73f), 0.0f);
    EXPECT_EQ(WaterBlobs::FunnelProgress(0, 3.0f + 4.55f), 1.0f);

    // Arrived, before the break-up: the table's point plus a wobble of at most 0.0025.
    const float tau = 7.6f;
    for (int i : {0, 1, 2}) {
        const WaterBlobs::BlobTarget& target = WaterBlobs::kBlobTargets[static_cast<size_t>(i)];
        const WaterBlobs::BlobPlacement blob = PlaceBlob(i, tau, 0.0f);
        EXPECT_NEAR(blob.x, static_cast<float>(target.x) / 3500.0f - 1.5f, 0.0026f) << i;
        EXPECT_NEAR(blob.y, 0.7f - 0.0004f * static_cast<float>(target.y), 0.0011f) << i;
    }
}

// The funnel breaks from the top down: by water time 14 its upper part has split, odd blobs to
// the left and even ones to the right, while the lowest blobs still sit on their points.
TEST(WaterBlobs, BreakSidewaysFromTheTopDown) {
    const float tau = 14.0f;
    int split = 0, resting = 0;
    for (int i = 0; i < kBlobCount; ++i) {
        const WaterBlobs::BlobTarget& target = WaterBlobs::kBlobTargets[static_cast<size_t>(i)];
        const float funnelX = static_cast<float>(target.x) / 3500.0f - 1.5f;
        const float x = PlaceBlob(i, tau, 0.0f).x;
        if (target.y < 1500) {
            const float side = i % 2 == 1 ? -1.0f : 1.0f;
            EXPECT_GT(side * (x - funnelX), 0.1f) << i;
            ++split;
        } else if (target.y > 3600) {
            EXPECT_NEAR(x, funnelX, 0.003f) << i;
            ++resting;
        }
    }
    EXPECT_GT(split, 0);
    EXPECT_GT(resting, 0);
}

TEST(WaterBlobs, ShrinkOnTheBeat) {
    const float calm = PlaceBlob(10, 5.0f, 0.0f).halfSize;
    EXPECT_NEAR(PlaceBlob(10, 5.0f, 1.0f).halfSize, calm * 0.92f, 1e-6f);
    std::vector<D3DXVECTOR3> corners(4 * kBlobCount);
    WaterBlobs::WriteBlobCorners(5.0f, 0.0f, corners.data());
    const WaterBlobs::BlobPlacement blob = PlaceBlob(10, 5.0f, 0.0f);
    EXPECT_FLOAT_EQ(corners[40].x, blob.x - calm); // top left
    EXPECT_FLOAT_EQ(corners[40].y, blob.y + calm);
    EXPECT_FLOAT_EQ(corners[42].x, blob.x + calm); // bottom right
    EXPECT_FLOAT_EQ(corners[42].y, blob.y - calm);
}

TEST(WaterSurface, ParametersFollowTheWaterTime) {
    struct Case {
        float tau;
        float fade1, fade2;
        float red, green, blue;
        float contrast[4];
    };
    const float startA = 1.0f - (1.0f + 1.5f * 1.001f * 1.001f);
    const float flash = 2.0f * std::pow(1.001f, 8.0f) + 2.0f * std::pow(0.621f, 8.0f) +
                        2.0f * std::pow(0.001f, 12.0f);
    const float late = 2.0f * std::pow(0.751f, 12.0f); // the flash at 16
    const Case cases[] = {
        {0.0f,
         1.0f + 0.5f * 1.001f * 1.001f,
         1.0f,
         1.0f,
         1.1f,
         1.3f,
         {2.0f * startA - 2.0f, 3.0f - 3.0f * startA, startA, 0.0f}},
        {2.0f, 1.0f, 1.0f, 1.0f, 1.1f, 1.3f, {-2.0f, 3.0f, 0.0f, 0.0f}},
        {8.0f,
         1.0f,
         1.0f,
         1.0f + flash,
         1.1f * (1.0f + flash),
         1.3f * (1.0f + flash),
         {-2.0f, 3.0f, 0.0f, 0.02f * (1.0f - std::cos(6.28318f * 0.5f / 9.5f))}},
        {12.25f, 1.0f, 1.0f, 1.0f, 1.1f, 1.3f, {-2.0f, 3.0f, 0.0f, 0.04f}},
        {14.5f, 1.0f, 1.0f, 1.0f, 1.1f, 1.175f, {-2.0f, 3.0f, 0.0f, 0.0f}},
        {16.25f,
         1.0f,
         0.75f,
         1.0f + late,
         1.1f * (1.0f + late),
         1.05f * (1.0f + late),
         {-2.0f, 3.0f, 0.0f, 0.0f}},
        {16.5f, 1.0f, 0.0f, 1.0f, 1.1f, 1.05f, {-2.0f, 3.0f, 0.0f, 0.0f}},
    };
    for (const Case& c : cases) {
        const WaterSurface::SurfaceParameters p = WaterSurface::SurfaceParametersAt(c.tau);
        SCOPED_TRACE(c.tau);
        EXPECT_NEAR(p.fade1, c.fade1, 1e-4f);
        EXPECT_NEAR(p.fade2, c.fade2, 1e-4f);
        EXPECT_NEAR(p.colours[0], c.red, 2e-3f);
        EXPECT_NEAR(p.colours[1], c.green, 2e-3f);
        EXPECT_NEAR(p.colours[2], c.blue, 2e-3f);
        if (c.tau == 14.5f || c.tau >= 16.0f) continue; // shimmer checked where it is known
        for (int i = 0; i < 4; ++i)
            EXPECT_NEAR(p.contrast[i], c.contrast[i], 1e-3f) << i;
    }
}

TEST(WaterSurface, TheContrastCurveKeepsBlackAndWhite) {
    for (float tau : {0.0f, 0.5f, 1.9f, 5.0f}) {
        const WaterSurface::SurfaceParameters p = WaterSurface::SurfaceParametersAt(tau);
        EXPECT_NEAR(p.contrast[0] + p.contrast[1] + p.contrast[2], 1.0f, 1e-5f) << tau;
    }
}

TEST(TubeGeometry, RingsCloseAndShadesFollowTheRadius) {
    TubeGeometry tube;
    EXPECT_EQ(tube.Positions().size(), 129u * 257u);
    EXPECT_EQ(tube.Indices().size(), 128u * 256u * 6u);
    for (std::uint16_t index : tube.Indices())
        ASSERT_LT(index, TubeGeometry::kVertexCount);

    for (float u : {0.0f, 6.0f, 15.0f}) {
        tube.Rebuild(u);
        for (int j = 0; j < TubeGeometry::kRings; ++j) {
            const std::size_t first = static_cast<std::size_t>(j * 257);
            const D3DXVECTOR3& a = tube.Positions()[first];
            const D3DXVECTOR3& b = tube.Positions()[first + 256];
            ASSERT_NEAR(a.x, b.x, 1e-5f);
            ASSERT_NEAR(a.y, b.y, 1e-5f);
            ASSERT_EQ(tube.Shades()[first], tube.Shades()[first + 256]);
            for (int k = 0; k < 257; k += 32) {
                const auto shade =
                    static_cast<long>(tube.Shades()[first + static_cast<size_t>(k)] & 0xFF);
                ASSERT_EQ(shade, std::lround(145.0f * tube.Radius(j, k))) << j << " " << k;
            }
        }
    }
}

TEST(TubeGeometry, RingsCrowdTowardTheNearEndAndDriftAlongTheAxis) {
    EXPECT_FLOAT_EQ(TubeGeometry::RingDepth(0), -9.1f);
    for (int j = 2; j < TubeGeometry::kRings; ++j) {
        const float step = TubeGeometry::RingDepth(j) - TubeGeometry::RingDepth(j - 1);
        const float previous = TubeGeometry::RingDepth(j - 1) - TubeGeometry::RingDepth(j - 2);
        ASSERT_GT(step, 0.0f);
        ASSERT_LT(step, previous);
    }
    TubeGeometry tube;
    tube.Rebuild(0.0f);
    const float start = tube.Positions()[0].z;
    tube.Rebuild(10.0f);
    EXPECT_NEAR(tube.Positions()[0].z - start, 1.0f, 1e-5f);
}

TEST(TubeGeometry, TheDisplacementTableIsSmoothAndClosesAroundEachRing) {
    TubeGeometry tube;
    float largest = 0.0f;
    for (int j = 0; j < TubeGeometry::kRings; ++j) {
        ASSERT_EQ(tube.Displacement(j, 0), tube.Displacement(j, 256));
        for (int k = 0; k < 257; ++k) {
            const float d = tube.Displacement(j, k);
            ASSERT_LE(std::fabs(d), 1.0f);
            largest = std::max(largest, std::fabs(d));
            if (k > 0) {
                ASSERT_LT(std::fabs(d - tube.Displacement(j, k - 1)), 0.25f);
            }
        }
    }
    EXPECT_GT(largest, 0.5f);
    EXPECT_NEAR(TubeGeometry::RingAmplitude(7, 10.0f) / TubeGeometry::RingAmplitude(7, 0.0f),
                0.7f * (0.75f + 0.25f * std::cos(0.63f + 6.0f)) / (0.75f + 0.25f * std::cos(0.63f)),
                1e-5f);
}

TEST(TunnelPath, TheCubeFliesOnlyInItsWindowAndSwitchesTheTechnique) {
    struct Case {
        float u;
        bool cube;
        bool second;
    };
    const Case cases[] = {{0.0f, false, false}, {11.49f, false, false}, {11.5f, true, true},
                          {13.0f, true, true},  {14.65f, true, true},   {14.66f, false, true},
                          {16.0f, false, true}};
    for (const Case& c : cases) {
        EXPECT_EQ(TunnelPath::CubeVisible(c.u), c.cube) << c.u;
        EXPECT_EQ(TunnelPath::UsesSecondTechnique(c.u), c.second) << c.u;
    }
}

TEST(TunnelPath, CurvesAreSmoothInTheTunnelTime) {
    const float step = 1e-3f;
    for (float u = 0.0f; u < 16.0f; u += 0.25f) {
        const TunnelPath::WallParameters a = TunnelPath::WallParametersAt(u);
        const TunnelPath::WallParameters b = TunnelPath::WallParametersAt(u + step);
        EXPECT_NEAR(a.fogFade, b.fogFade, 1e-2f) << u;
        EXPECT_NEAR(a.fogFadeWater, b.fogFadeWater, 1e-2f) << u;
        EXPECT_NEAR(a.scrollUV[1], b.scrollUV[1], 1e-2f) << u;
        EXPECT_NEAR(a.fade, b.fade, 1e-2f) << u;
        const D3DXVECTOR3 eyeA = TunnelPath::CameraAt(u, 16.0f / 9.0f).eye;
        const D3DXVECTOR3 eyeB = TunnelPath::CameraAt(u + step, 16.0f / 9.0f).eye;
        EXPECT_NEAR(eyeA.x, eyeB.x, 1e-3f) << u;
    }
    EXPECT_EQ(TunnelPath::WallParametersAt(0.0f).fade, 0.0f);
    EXPECT_NEAR(TunnelPath::WallParametersAt(2.4999f).fade, 1.0f, 1e-4f);
    EXPECT_EQ(TunnelPath::WallParametersAt(3.0f).fade, 1.0f);
}

// Its farthest corner stays clear of the narrowest wall.
TEST(TunnelPath, TheCubeStaysInsideTheTube) {
    const float halfDiagonal = 0.5f * 0.03f * std::sqrt(10.0f * 10.0f * 2.0f + 16.0f * 16.0f);
    for (float u = TunnelPath::kCubeStart; u <= TunnelPath::kCubeEnd; u += 0.05f) {
        const D3DXVECTOR3 p = TunnelPath::CubeAt(u).position;
        EXPECT_LT(std::hypot(p.x, p.y) + halfDiagonal, 0.65f) << u;
    }
    EXPECT_LT(TunnelPath::CubeAt(TunnelPath::kCubeStart).position.z, -6.5f);
    EXPECT_GT(TunnelPath::CubeAt(TunnelPath::kCubeEnd).position.z, 0.3f); // past the camera
}

} // namespace
