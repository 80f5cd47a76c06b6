// Curve-driven cameras: the default projection, hand-computed view and world matrices (row
// vectors, rotations about x, then y, then z), visibility freezing the matrices, the shake on
// the frame clock, the set's choice of the camera in force, and the scene's shared block.
#include "CurveCompiler/KeyEncoding.h"
#include "Framework/Camera.h"
#include "Framework/CameraSet.h"
#include "Framework/Noise.h"
#include "Framework/Scene.h"
#include "Framework/Timer.h"
#include "Platform/Win32/Win32TestSeam.h"
#include "ScratchDataFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <map>
#include <memory>
#include <numbers>
#include <string>
#include <vector>

namespace {

constexpr float quarterTurn = std::numbers::pi_v<float> / 2.0f;

std::string Entry(const std::vector<CurveKey>& keys) {
    const std::vector<unsigned char> bytes = EncodeKeys(keys);
    return std::string(bytes.begin(), bytes.end());
}

std::string Constant(float value) {
    return Entry({{0.0f, value, 0.0f, 0.0f}});
}

// value = t, with tangents that make the segment a straight line.
std::string Ramp() {
    return Entry({{0.0f, 0.0f, 1.0f, 1.0f}, {100.0f, 100.0f, 1.0f, 1.0f}});
}

// On from 0 s, off from 2 s.
std::string OnUntilTwo() {
    return Entry({{0.0f, 1.0f, 0.0f, 0.0f}, {2.0f, 0.0f, 0.0f, 0.0f}});
}

using Entries = std::map<std::string, std::string>;

// The entries of a camera that stands still at translate and rotate, visible from 0 s on.
void AddStill(Entries& entries, const std::string& camera, D3DXVECTOR3 translate,
              D3DXVECTOR3 rotate) {
    const std::string prefix = "Data\\anim\\" + camera;
    entries[prefix + ".translateX"] = Constant(translate.x);
    entries[prefix + ".translateY"] = Constant(translate.y);
    entries[prefix + ".translateZ"] = Constant(translate.z);
    entries[prefix + ".rotateX"] = Constant(rotate.x);
    entries[prefix + ".rotateY"] = Constant(rotate.y);
    entries[prefix + ".rotateZ"] = Constant(rotate.z);
    entries[prefix + ".visibility"] = Constant(1.0f);
}

D3DXMATRIX Rows(std::initializer_list<float> values) {
    D3DXMATRIX matrix;
    unsigned i = 0;
    for (const float value : values) {
        matrix.m[i / 4][i % 4] = value;
        ++i;
    }
    return matrix;
}

void ExpectMatrixNear(const D3DXMATRIX& actual, const D3DXMATRIX& expected,
                      const std::string& what) {
    for (unsigned row = 0; row < 4; ++row)
        for (unsigned column = 0; column < 4; ++column)
            EXPECT_NEAR(actual(row, column), expected(row, column), 1e-5f)
                << what << " at (" << row << ", " << column << ")";
}

void ExpectVectorNear(const D3DXVECTOR3& actual, const D3DXVECTOR3& expected,
                      const std::string& what) {
    EXPECT_NEAR(actual.x, expected.x, 1e-5f) << what;
    EXPECT_NEAR(actual.y, expected.y, 1e-5f) << what;
    EXPECT_NEAR(actual.z, expected.z, 1e-5f) << what;
}

D3DXMATRIX Product(const D3DXMATRIX& a, const D3DXMATRIX& b) {
    D3DXMATRIX product;
    return *D3DXMatrixMultiply(&product, &a, &b);
}

D3DXVECTOR3 Moved(const D3DXVECTOR3& point, const D3DXMATRIX& matrix) {
    D3DXVECTOR3 moved;
    return *D3DXVec3TransformCoord(&moved, &point, &matrix);
}

// Missing curves report in message boxes; the frame clock is reset for every test.
class CameraCurves : public ::testing::Test {
protected:
    void SetUp() override {
        Win32TestSeam::CaptureMessageBoxes();
        Timer::currentTime = 0.0;
    }
    void TearDown() override {
        Timer::currentTime = 0.0;
        Win32TestSeam::Clear();
    }

    ScratchDataFile data;
};

TEST_F(CameraCurves, WithoutCurvesACameraIsNeverVisibleAndKeepsItsInitialMatrices) {
    data.Mount({});
    Camera camera("Nowhere");
    EXPECT_EQ(camera.FieldOfView(), 0.7853982f);
    EXPECT_EQ(camera.Aspect(), 0.5625f);
    EXPECT_EQ(camera.NearPlane(), 0.1f);
    EXPECT_EQ(camera.FarPlane(), 100.0f);
    // cot(pi / 8) = 2.4142137 vertically, x 9 / 16 across; 100 / -99.9 and 10 / -99.9 in depth.
    const D3DXMATRIX projection = Rows(
        {1.3579952f, 0, 0, 0, 0, 2.4142137f, 0, 0, 0, 0, -1.001001f, -1, 0, 0, -0.1001001f, 0});
    ExpectMatrixNear(camera.Projection(), projection, "default projection");

    for (const float t : {0.0f, 5.0f, 20000.0f}) {
        camera.Update(t);
        EXPECT_FALSE(camera.Visible()) << t;
    }
    const D3DXMATRIX identity = IdentityMatrix();
    for (const D3DXMATRIX* matrix : {&camera.View(), &camera.World(), &camera.RotationMatrix(),
                                     &camera.ViewProjection(), &camera.PreviousViewProjection()})
        EXPECT_EQ(*matrix, identity);
    EXPECT_EQ(camera.Position(), D3DXVECTOR3());
}

TEST_F(CameraCurves, SetProjectionTakesTheInverseOfItsHeightOverWidth) {
    data.Mount({});
    Camera camera("Square");
    camera.SetProjection(quarterTurn, 1.0f, 3.0f, 0.5f);
    EXPECT_EQ(camera.Aspect(), 0.5f);
    // Width / height = 2: cot(pi / 4) = 1 vertically, 0.5 across.
    ExpectMatrixNear(camera.Projection(),
                     Rows({0.5f, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1.5f, -1, 0, 0, -1.5f, 0}),
                     "projection");
}

struct PlacementCase {
    const char* what;
    D3DXVECTOR3 translate;
    D3DXVECTOR3 rotate;
    D3DXMATRIX world;
    D3DXMATRIX view;
};

TEST_F(CameraCurves, ViewAndWorldFollowTheCurvesInTheRowVectorConvention) {
    const std::vector<PlacementCase> cases = {
        {"a move only",
         {1, 2, 3},
         {0, 0, 0},
         Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 1, 2, 3, 1}),
         Rows({1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, -1, -2, -3, 1})},
        {"a quarter turn about y",
         {0, 0, 0},
         {0, quarterTurn, 0},
         Rows({0, 0, -1, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 0, 0, 1}),
         Rows({0, 0, 1, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 0, 1})},
        {"a quarter turn about z",
         {0, 0, 0},
         {0, 0, quarterTurn},
         Rows({0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}),
         Rows({0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1})},
        // R = Rx x Ry: about x first, so local y goes to z, then about y to x. The view moves
        // back by -10 along x, then turns by the transpose of R.
        {"about x, then y, then a move",
         {10, 0, 0},
         {quarterTurn, quarterTurn, 0},
         Rows({0, 0, -1, 0, 1, 0, 0, 0, 0, -1, 0, 0, 10, 0, 0, 1}),
         Rows({0, 1, 0, 0, 0, 0, -1, 0, -1, 0, 0, 0, 0, -10, 0, 1})},
    };
    for (const PlacementCase& c : cases) {
        Entries entries;
        AddStill(entries, "Cam", c.translate, c.rotate);
        data.Mount(entries);
        Camera camera("Cam");
        camera.Update(1.0f);
        ASSERT_TRUE(camera.Visible()) << c.what;
        ExpectVectorNear(camera.Position(), c.translate, c.what);
        ExpectMatrixNear(camera.World(), c.world, std::string(c.what) + ": world");
        ExpectMatrixNear(camera.View(), c.view, std::string(c.what) + ": view");
        ExpectMatrixNear(camera.ViewProjection(), Product(c.view, camera.Projection()),
                         std::string(c.what) + ": view-projection");
        ExpectMatrixNear(Product(camera.World(), camera.View()), IdentityMatrix(),
                         std::string(c.what) + ": the view undoes the world");
    }
}

TEST_F(CameraCurves, TurnedAQuarterAboutYTheCameraLooksDownMinusX) {
    Entries entries;
    AddStill(entries, "Cam", {0, 0, 0}, {0, quarterTurn, 0});
    data.Mount(entries);
    Camera camera("Cam");
    camera.Update(0.0f);
    // In view space the camera looks down -z; +z is behind it.
    ExpectVectorNear(Moved({-5, 0, 0}, camera.View()), {0, 0, -5}, "ahead");
    ExpectVectorNear(Moved({5, 0, 0}, camera.View()), {0, 0, 5}, "behind");
}

TEST_F(CameraCurves, AnInvisibleCameraKeepsItsLastMatricesAndTheFirstUpdateSavesTheInitialOnes) {
    const std::string prefix = "Data\\anim\\Cam";
    data.Mount({{prefix + ".translateX", Ramp()}, {prefix + ".visibility", OnUntilTwo()}});
    Camera camera("Cam");

    camera.Update(0.5f);
    ASSERT_TRUE(camera.Visible());
    EXPECT_EQ(camera.PreviousViewProjection(), IdentityMatrix());
    const D3DXMATRIX first = camera.ViewProjection();

    camera.Update(1.0f);
    EXPECT_EQ(camera.PreviousViewProjection(), first);
    ExpectVectorNear(camera.Position(), {1, 0, 0}, "at 1 s");
    const D3DXMATRIX view = camera.View();
    const D3DXMATRIX viewProjection = camera.ViewProjection();

    camera.Update(3.0f);
    EXPECT_FALSE(camera.Visible());
    EXPECT_EQ(camera.View(), view);
    EXPECT_EQ(camera.ViewProjection(), viewProjection);
    EXPECT_EQ(camera.PreviousViewProjection(), first);
    ExpectVectorNear(camera.Position(), {1, 0, 0}, "frozen");
}

struct ShakeCase {
    const char* what;
    float strength;
};

TEST_F(CameraCurves, NoShakeLeavesThePositionExactlyOnTheCurves) {
    for (const ShakeCase& c : {ShakeCase{"zero", 0.0f}, ShakeCase{"negative", -2.0f}}) {
        Entries entries;
        AddStill(entries, "Cam", {0.1f, -0.7f, 3.3f}, {0, 0, 0});
        entries["Data\\anim\\Cam.shake"] = Constant(c.strength);
        data.Mount(entries);
        Timer::currentTime = 1.3;
        Camera camera("Cam");
        camera.Update(1.0f);
        EXPECT_EQ(camera.Position(), D3DXVECTOR3(0.1f, -0.7f, 3.3f)) << c.what;
    }
}

TEST_F(CameraCurves, TheShakeScalesNoiseOnTheFrameClockNotOnTheCameraTime) {
    Entries entries;
    AddStill(entries, "Cam", {1, 2, 3}, {0, 0, 0});
    entries["Data\\anim\\Cam.shake"] = Constant(0.5f);
    data.Mount(entries);
    Camera camera("Cam");
    Timer::currentTime = 1.3;
    const float s = static_cast<float>(1.3 * 8.0);
    const D3DXVECTOR3 offset(PerlinNoise1D(s, 2.0f, 2.0f, 5),
                             PerlinNoise1D(1.2f * s + 0.3f, 2.5f, 1.8f, 5),
                             PerlinNoise1D(1.3f * s + 0.54f, 2.9f, 1.7f, 5));
    ASSERT_NE(offset, D3DXVECTOR3());
    for (const float t : {1.0f, 50.0f}) {
        camera.Update(t);
        ExpectVectorNear(camera.Position(), D3DXVECTOR3(1, 2, 3) + offset * 0.5f,
                         "camera time " + std::to_string(t));
    }
}

// Sets of cameras; Data\anim\ holds only the curves each case names.
class CameraSets : public CameraCurves {
protected:
    std::unique_ptr<Camera> Make(const std::string& name) { return std::make_unique<Camera>(name); }
};

TEST_F(CameraSets, AnEmptySetHasNoActiveCamera) {
    data.Mount({});
    CameraSet set;
    set.Update(1.0f);
    EXPECT_EQ(set.Active(), nullptr);
    EXPECT_EQ(set.Get("Cam"), nullptr);
}

TEST_F(CameraSets, AddingMakesTheCameraActiveAndReplacesOneOfTheSameName) {
    data.Mount({});
    CameraSet set;
    set.Add(Make("B"));
    set.Add(Make("A"));
    EXPECT_EQ(set.Active(), set.Get("A"));
    auto replacement = Make("B");
    Camera* const newB = replacement.get();
    set.Add(std::move(replacement));
    EXPECT_EQ(set.Get("B"), newB);
    EXPECT_EQ(set.Active(), newB);
}

TEST_F(CameraSets, TheFirstVisibleCameraByNameIsActiveAndTheOnesAfterItAreNotUpdated) {
    Entries entries;
    AddStill(entries, "LabCam1", {1, 0, 0}, {0, 0, 0});
    AddStill(entries, "LabCam2", {2, 0, 0}, {0, 0, 0});
    data.Mount(entries);
    CameraSet set;
    set.Add(Make("LabCam2"));
    set.Add(Make("LabCam1"));
    set.Update(1.0f);
    EXPECT_EQ(set.Active(), set.Get("LabCam1"));
    EXPECT_FALSE(set.Get("LabCam2")->Visible());
    EXPECT_EQ(set.Get("LabCam2")->View(), IdentityMatrix());
}

TEST_F(CameraSets, AnInvisibleCameraIsPassedOverForTheNextVisibleOne) {
    Entries entries;
    AddStill(entries, "A", {1, 0, 0}, {0, 0, 0});
    entries["Data\\anim\\A.visibility"] = Constant(0.0f);
    AddStill(entries, "B", {2, 0, 0}, {0, 0, 0});
    data.Mount(entries);
    CameraSet set;
    set.Add(Make("A"));
    set.Add(Make("B"));
    set.Update(1.0f);
    EXPECT_EQ(set.Active(), set.Get("B"));
}

TEST_F(CameraSets, WithNoneVisibleTheFirstByNameIsActiveWithItsLastVisibleMatrices) {
    const std::string prefix = "Data\\anim\\A";
    data.Mount({{prefix + ".translateX", Ramp()}, {prefix + ".visibility", OnUntilTwo()}});
    CameraSet set;
    set.Add(Make("A"));
    set.Add(Make("Z")); // no curves: never visible
    set.Update(1.0f);
    const D3DXMATRIX view = set.Get("A")->View();
    set.Update(5.0f);
    EXPECT_EQ(set.Active(), set.Get("A"));
    EXPECT_EQ(set.Active()->View(), view);
    ExpectVectorNear(set.Active()->Position(), {1, 0, 0}, "position of the last visible update");
}

TEST_F(CameraSets, NeverVisibleCamerasLeaveTheFirstByNameActiveWithItsInitialMatrices) {
    data.Mount({});
    CameraSet set;
    set.Add(Make("TetrisCam2"));
    set.Add(Make("TetrisCam1"));
    set.Add(Make("TetrisCam3"));
    set.Update(1.0f);
    EXPECT_EQ(set.Active(), set.Get("TetrisCam1"));
    EXPECT_EQ(set.Active()->ViewProjection(), IdentityMatrix());
}

TEST_F(CameraSets, UpdateWithoutATimeUsesTheFrameClock) {
    const std::string prefix = "Data\\anim\\Cam";
    data.Mount({{prefix + ".translateX", Ramp()}, {prefix + ".visibility", OnUntilTwo()}});
    CameraSet set;
    set.Add(Make("Cam"));
    Timer::currentTime = 1.5;
    set.Update();
    ASSERT_TRUE(set.Active()->Visible());
    ExpectVectorNear(set.Active()->Position(), {1.5f, 0, 0}, "at the frame clock");
}

// A scene with one moving view camera and a still light camera.
class BlockScene : public Scene {
public:
    BlockScene() : Scene("BlockScene") {
        viewCameras.Add(std::make_unique<Camera>("View"));
        lightCameras.Add(std::make_unique<Camera>("Light"));
    }

    using Scene::UpdateLightCameras;
    using Scene::UpdateViewCameras;
    using Scene::UpdateViewCamerasWithPreviousFrame;
};

class SceneBlock : public CameraCurves {
protected:
    void MountCameras() {
        Entries entries;
        AddStill(entries, "Light", {0, 0, 5}, {0, quarterTurn, 0});
        entries["Data\\anim\\View.translateX"] = Ramp();
        entries["Data\\anim\\View.rotateY"] = Constant(0.25f);
        entries["Data\\anim\\View.visibility"] = Constant(1.0f);
        data.Mount(entries);
    }

    // The view camera's view-projection when it stands at x.
    static D3DXMATRIX ViewProjectionAt(float x, const Camera& camera) {
        D3DXMATRIX move;
        D3DXMATRIX turn;
        D3DXMatrixTranslation(&move, -x, 0, 0);
        D3DXMatrixRotationY(&turn, -0.25f);
        return Product(Product(move, turn), camera.Projection());
    }
};

TEST_F(SceneBlock, HoldsIdentitiesAndNoCameraBeforeTheFirstFrame) {
    MountCameras();
    const BlockScene scene;
    const SharedParameters& block = scene.Shared();
    EXPECT_EQ(block.activeCamera, nullptr);
    for (const D3DXMATRIX* matrix :
         {&block.cameraRotation, &block.view, &block.cameraProjection, &block.viewProjection,
          &block.previousViewProjection, &block.lightViewProjection})
        EXPECT_EQ(*matrix, IdentityMatrix());
}

TEST_F(SceneBlock, TakesTheActiveViewCamera) {
    MountCameras();
    BlockScene scene;
    scene.UpdateViewCameras(2.0f);
    const SharedParameters& block = scene.Shared();
    const Camera* camera = block.activeCamera;
    ASSERT_NE(camera, nullptr);
    EXPECT_EQ(camera->Name(), "View");
    ExpectVectorNear(block.eyePosition, {2, 0, 0}, "eye");
    EXPECT_EQ(block.view, camera->View());
    EXPECT_EQ(block.viewProjection, camera->ViewProjection());
    EXPECT_EQ(block.cameraRotation, camera->RotationMatrix());
    EXPECT_EQ(block.cameraProjection, camera->Projection());
    ExpectMatrixNear(block.viewProjection, ViewProjectionAt(2.0f, *camera), "view-projection");
    // Only scenes that ask for the previous frame fill it.
    EXPECT_EQ(block.previousViewProjection, IdentityMatrix());
}

TEST_F(SceneBlock, ThePreviousFrameIsTheActiveCameraAnIntervalBefore) {
    MountCameras();
    BlockScene scene;
    const SharedParameters& block = scene.Shared();
    // Adding the camera made it active, so even the first frame has an earlier one.
    for (const float t : {1.0f, 3.0f}) {
        scene.UpdateViewCamerasWithPreviousFrame(t, 0.5f);
        const Camera& camera = *block.activeCamera;
        ExpectMatrixNear(block.previousViewProjection, ViewProjectionAt(t - 0.5f, camera),
                         "previous at " + std::to_string(t));
        ExpectMatrixNear(block.viewProjection, ViewProjectionAt(t, camera),
                         "current at " + std::to_string(t));
    }
}

TEST_F(SceneBlock, TheLightDirectionIsTheLightCamerasLocalZInTheWorld) {
    MountCameras();
    BlockScene scene;
    scene.UpdateLightCameras(1.0f);
    const SharedParameters& block = scene.Shared();
    ExpectVectorNear(block.lightPosition, {0, 0, 5}, "light position");
    // A quarter turn about y takes local +z to world +x.
    ExpectVectorNear(block.lightDirection, {1, 0, 0}, "light direction");
    EXPECT_NE(block.lightViewProjection, IdentityMatrix());
    // The view block is the view cameras' alone.
    EXPECT_EQ(block.activeCamera, nullptr);
    EXPECT_EQ(block.view, IdentityMatrix());
}

} // namespace
