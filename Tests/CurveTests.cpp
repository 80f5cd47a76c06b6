// Animation curves: Hermite evaluation and step sampling around and between keys, the cursor
// walking both ways, loading key entries (short, missing, with remainders), the one message box
// per kind, and the vector and transform built on curves.
#include "Framework/Curves/AnimTransform.h"
#include "Framework/Curves/AnimVector.h"
#include "Framework/Curves/CurveHandle.h"
#include "Platform/Win32/Win32TestSeam.h"
#include "ScratchDataFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <numbers>
#include <string>
#include <vector>

namespace {

using Keys = std::vector<AnimKey>;

// A curve entry laid out by hand: four little-endian floats a key.
std::string EntryBytes(const Keys& keys) {
    std::string bytes;
    for (const AnimKey& key : keys)
        for (const float field : {key.time, key.value, key.inTangent, key.outTangent}) {
            const auto bits = std::bit_cast<std::uint32_t>(field);
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<char>(bits >> shift));
        }
    return bytes;
}

std::string Constant(float value) {
    return EntryBytes({{0.0f, value, 0.0f, 0.0f}});
}

AnimCurve CurveOf(const Keys& keys) {
    AnimCurve curve("Test");
    curve.ReplaceKeys(keys);
    return curve;
}

std::string MissingBox(const std::string& name) {
    return "File not found: No animCurve found in filesystem corresponding to registered curve: "
           "\"" +
           name + "\".\n(Skipping further error messages)\n";
}

struct EvaluateCase {
    const char* what;
    Keys keys;
    float t;
    float expected;
};

// A rise from 0 to 4 over two seconds with flat tangents: A = -1, B = 3.
const Keys rise = {{0.0f, 0.0f, 0.0f, 0.0f}, {2.0f, 4.0f, 0.0f, 0.0f}};
// Tangents that make the first segment a straight line, as long as the out-tangent of the first
// key and the in-tangent of the second are the ones used.
const Keys line = {{0.0f, 0.0f, 5.0f, 1.0f}, {1.0f, 1.0f, 1.0f, 3.0f}};

TEST(AnimCurves, EvaluateFollowsTheHermiteSegments) {
    const std::vector<EvaluateCase> cases = {
        {"at the first key", rise, 0.0f, 0.0f},
        {"at the last key", rise, 2.0f, 4.0f},
        {"half way", rise, 1.0f, 2.0f},
        {"a quarter of the way", rise, 0.5f, 0.625f},
        {"before the first key the first segment extrapolates", rise, -1.0f, 4.0f},
        {"after a last key with a flat tangent", rise, 3.0f, 4.0f},
        {"long after a last key with a flat tangent", rise, 150000.0f, 4.0f},
        {"out-tangent of the first key, in-tangent of the second", line, 0.5f, 0.5f},
        {"past the last key the curve leaves along its out-tangent", line, 1.001f, 1.003f},
        {"one flat key: constant before it", {{5.0f, 7.0f, 0.0f, 0.0f}}, -100.0f, 7.0f},
        {"one flat key: constant at it", {{5.0f, 7.0f, 0.0f, 0.0f}}, 5.0f, 7.0f},
        {"one flat key: constant after it", {{5.0f, 7.0f, 0.0f, 0.0f}}, 100000.0f, 7.0f},
        {"a last key at the phantom's time spans no time",
         {{200000.0f, 3.0f, 1.0f, 1.0f}},
         10.0f,
         3.0f},
    };
    for (const EvaluateCase& c : cases) {
        AnimCurve curve = CurveOf(c.keys);
        EXPECT_NEAR(curve.Evaluate(c.t), c.expected, 1e-5f) << c.what;
    }
}

TEST(AnimCurves, SampleHoldsTheValueOfTheKeyStartingTheSegment) {
    AnimCurve curve =
        CurveOf({{0.0f, 1.0f, 9.0f, 9.0f}, {2.0f, 5.0f, 9.0f, 9.0f}, {4.0f, -3.0f, 9.0f, 9.0f}});
    const std::vector<std::pair<float, float>> samples = {
        {-1.0f, 1.0f}, {0.0f, 1.0f},  {1.9f, 1.0f},    {2.0f, 5.0f},
        {3.0f, 5.0f},  {4.0f, -3.0f}, {100.0f, -3.0f}, {0.5f, 1.0f}};
    for (const auto& [t, expected] : samples)
        EXPECT_EQ(curve.Sample(t), expected) << "at " << t;
}

// One curve walks its cursor through times that jump both ways; each result must equal that
// of a curve that has never been evaluated.
TEST(AnimCurves, TheCursorGivesTheSameResultsAsAFreshCurve) {
    const Keys keys = {{-1.0f, 2.0f, 0.5f, -0.5f},
                       {0.0f, 0.0f, 1.0f, 1.0f},
                       {1.5f, 3.0f, 0.0f, 2.0f},
                       {4.0f, -1.0f, -1.0f, 0.0f},
                       {10.0f, 6.0f, 3.0f, 3.0f}};
    AnimCurve walked = CurveOf(keys);
    for (const float t :
         {5.0f, 5.0f, 0.7f, -3.0f, 12.0f, 1.5f, 1.49f, 10.0f, -1.0f, 4.0f, 0.0f, 11.0f, 2.0f}) {
        EXPECT_EQ(walked.FindSegment(t), CurveOf(keys).FindSegment(t)) << "at " << t;
        EXPECT_EQ(walked.Evaluate(t), CurveOf(keys).Evaluate(t)) << "at " << t;
    }
}

TEST(AnimCurves, WithoutKeysEverythingReadsZero) {
    CurveHandle handle("Empty", CurveKind::Smooth);
    EXPECT_EQ(handle.Curve().FindSegment(1.0f), -1);
    EXPECT_EQ(handle.Evaluate(1.0f), 0.0f);
    EXPECT_EQ(handle.Sample(-1.0f), 0.0f);
    EXPECT_EQ(handle.Value(), 0.0f);
}

TEST(AnimCurves, SetKeyReplacesAnEqualTimeOrInsertsInTimeOrder) {
    AnimCurve curve("Test");
    curve.SetKey(5.0f, 50.0f, 0.0f, 0.0f);
    curve.SetKey(1.0f, 10.0f, 0.0f, 0.0f);
    curve.SetKey(9.0f, 90.0f, 0.0f, 0.0f);
    curve.SetKey(3.0f, 30.0f, 0.0f, 0.0f);
    curve.SetKey(5.0f, 55.0f, 1.0f, 2.0f);
    EXPECT_EQ(curve.Keys(), (Keys{{1.0f, 10.0f, 0.0f, 0.0f},
                                  {3.0f, 30.0f, 0.0f, 0.0f},
                                  {5.0f, 55.0f, 1.0f, 2.0f},
                                  {9.0f, 90.0f, 0.0f, 0.0f}}));
}

TEST(AnimCurves, HandlesKeepTheirLastResult) {
    CurveHandle handle("Test", CurveKind::Smooth);
    handle.Curve().ReplaceKeys(rise);
    EXPECT_EQ(handle.Evaluate(1.0f), 2.0f);
    EXPECT_EQ(handle.Value(), 2.0f);
    EXPECT_EQ(handle.Sample(2.5f), 4.0f);
    EXPECT_EQ(handle.Value(), 4.0f);
}

class CurveEntries : public ::testing::Test {
protected:
    void SetUp() override { Win32TestSeam::CaptureMessageBoxes(); }
    void TearDown() override { Win32TestSeam::Clear(); }

    ScratchDataFile data;
};

TEST_F(CurveEntries, LoadingKeepsFileOrderAndIgnoresARemainder) {
    const Keys keys = {{5.0f, 1.0f, 2.0f, 3.0f}, {1.0f, -4.0f, 0.25f, 1e6f}};
    data.Mount({{"Data\\anim\\Cam.translateX", EntryBytes(keys) + "12345678"}});
    CurveHandle handle("Cam.translateX", CurveKind::Smooth);
    handle.Load();
    EXPECT_EQ(handle.Curve().Keys(), keys);
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
}

TEST_F(CurveEntries, AnEntryShorterThanAKeyLoadsNoKeysSilently) {
    data.Mount({{"Data\\anim\\Cam.shake", "12345678"}});
    CurveHandle handle("Cam.shake", CurveKind::Smooth);
    handle.Curve().ReplaceKeys(rise);
    handle.Load();
    EXPECT_TRUE(handle.Curve().Keys().empty());
    EXPECT_EQ(handle.Evaluate(1.0f), 0.0f);
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
}

// Whether this shows a box depends on what the process met before; the death test below counts
// the boxes in a process of its own.
TEST_F(CurveEntries, AMissingEntryReplacesTheKeysWithTwoZeroKeys) {
    data.Mount({});
    CurveHandle handle("Gone.rotateY", CurveKind::Smooth);
    handle.Curve().ReplaceKeys(rise);
    handle.Load();
    EXPECT_EQ(handle.Curve().Keys(),
              (Keys{{0.0f, 0.0f, 0.0f, 0.0f}, {10000.0f, 0.0f, 0.0f, 0.0f}}));
    for (const float t : {-5.0f, 50.0f, 20000.0f})
        EXPECT_EQ(handle.Evaluate(t), 0.0f);
}

// In a fresh process: several missing smooth curves show one box, naming the first in load
// order (a transform loads axis by axis); the first missing step curve still shows its own.
TEST(CurveMessages, OneBoxPerKindOfMissingCurve) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            {
                ScratchDataFile data;
                data.Mount({{"Data\\anim\\Box.translateX", Constant(1.0f)}});
                Win32TestSeam::CaptureMessageBoxes();
                AnimTransform box("Box", AnimTransform::translateFlag | AnimTransform::rotateFlag);
                box.Load();
                CurveHandle("Cam.glitch", CurveKind::Smooth).Load();
                CurveHandle("Lamp.visibility", CurveKind::Step).Load();
                CurveHandle("Door.visibility", CurveKind::Step).Load();
            }
            for (const auto& shown : Win32TestSeam::CapturedMessageBoxes())
                std::fprintf(stderr, "%s: %s\n", shown.caption.c_str(), shown.text.c_str());
            std::exit(0);
        },
        ::testing::ExitedWithCode(0),
        ::testing::StrEq(MissingBox("Box.rotateX") + MissingBox("Lamp.visibility")));
}

TEST_F(CurveEntries, AnAnimVectorReadsItsThreeAxisCurves) {
    data.Mount({{"Data\\anim\\LabLight.AmbientX", Constant(1.0f)},
                {"Data\\anim\\LabLight.AmbientY", Constant(2.0f)},
                {"Data\\anim\\LabLight.AmbientZ", Constant(3.0f)}});
    AnimVector ambient("LabLight.Ambient");
    ambient.Load();
    EXPECT_EQ(ambient.Vector(), D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    EXPECT_EQ(ambient.Evaluate(7.0f), D3DXVECTOR3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(ambient.Vector(), D3DXVECTOR3(1.0f, 2.0f, 3.0f));
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
}

D3DXVECTOR3 Transformed(float x, float y, float z, const D3DXMATRIX& matrix) {
    D3DXVECTOR3 point(x, y, z);
    return *D3DXVec3TransformCoord(&point, &point, &matrix);
}

MATCHER_P3(IsPoint, x, y, z, "") {
    constexpr float tolerance = 1e-5f;
    return std::abs(arg.x - x) < tolerance && std::abs(arg.y - y) < tolerance &&
           std::abs(arg.z - z) < tolerance;
}

// Curves for every channel of "Obj": translate (0, 0, 5), rotate (pi/2, pi/2, 0), scale 2.
std::map<std::string, std::string> ObjectCurves() {
    const float quarter = std::numbers::pi_v<float> / 2.0f;
    return {{"Data\\anim\\Obj.translateX", Constant(0.0f)},
            {"Data\\anim\\Obj.translateY", Constant(0.0f)},
            {"Data\\anim\\Obj.translateZ", Constant(5.0f)},
            {"Data\\anim\\Obj.rotateX", Constant(quarter)},
            {"Data\\anim\\Obj.rotateY", Constant(quarter)},
            {"Data\\anim\\Obj.rotateZ", Constant(0.0f)},
            {"Data\\anim\\Obj.scaleX", Constant(2.0f)},
            {"Data\\anim\\Obj.scaleY", Constant(2.0f)},
            {"Data\\anim\\Obj.scaleZ", Constant(2.0f)}};
}

TEST_F(CurveEntries, ATransformScalesThenRotatesAboutXYZThenTranslates) {
    data.Mount(ObjectCurves());
    AnimTransform object("Obj", AnimTransform::translateFlag | AnimTransform::rotateFlag |
                                    AnimTransform::scaleFlag);
    object.Load();
    object.Update(1.0f);
    // (0, 1, 0) scaled to (0, 2, 0); about x to (0, 0, 2); about y to (2, 0, 0); moved by z 5.
    EXPECT_THAT(Transformed(0.0f, 1.0f, 0.0f, object.World()), IsPoint(2.0f, 0.0f, 5.0f));
    EXPECT_THAT(Transformed(0.0f, 0.0f, 0.0f, object.World()), IsPoint(0.0f, 0.0f, 5.0f));
    EXPECT_EQ(object.Scale(), D3DXVECTOR3(2.0f, 2.0f, 2.0f));
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
}

TEST_F(CurveEntries, UnflaggedChannelsKeepTheirStartValuesInTheWorldMatrix) {
    data.Mount(ObjectCurves());
    AnimTransform object("Obj", AnimTransform::rotateFlag | AnimTransform::translateFlag);
    object.Load();
    object.Update(1.0f);
    EXPECT_EQ(object.Scale(), D3DXVECTOR3(1.0f, 1.0f, 1.0f));
    EXPECT_THAT(Transformed(0.0f, 1.0f, 0.0f, object.World()), IsPoint(1.0f, 0.0f, 5.0f));

    AnimTransform turning("Obj", AnimTransform::rotateFlag);
    turning.Load();
    turning.Update(1.0f);
    EXPECT_EQ(turning.Translate(), D3DXVECTOR3(0.0f, 0.0f, 0.0f));
    EXPECT_THAT(Transformed(0.0f, 1.0f, 0.0f, turning.World()), IsPoint(1.0f, 0.0f, 0.0f));
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
}

} // namespace
