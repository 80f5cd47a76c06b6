// The render-target handlers and the scenes' named targets: sharing by shape, reuse after
// release, creation failures, look-ups and binding.
#include "DeviceFixture.h"
#include "Framework/Scene.h"

#include <string>

namespace {

class RenderTargetTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }

    static RTHandler& Targets() { return *RTHandler::Instance(); }
};

// A scene that declares what it is given in Enter and releases everything in Leave, as every
// scene of the show does.
class DeclaringScene : public Scene {
public:
    DeclaringScene(std::string sceneName, std::vector<std::pair<std::string, RTDescriptor>> wanted)
        : Scene(std::move(sceneName)), targets(std::move(wanted)) {}
    void Enter() override {
        for (const auto& [targetName, descriptor] : targets)
            DeclareRenderTarget(targetName, descriptor);
    }
    void Leave() override { ReleaseAllTargets(); }

private:
    std::vector<std::pair<std::string, RTDescriptor>> targets;
};

TEST_F(RenderTargetTest, EqualShapesShareRecordsOnlyWhenFree) {
    const RTDescriptor half{D3DFMT_X8R8G8B8, 640, 360};
    EXPECT_EQ(Targets().Request(half), 0u);
    EXPECT_EQ(Targets().Request(half), 1u);
    EXPECT_EQ(Targets().Request({D3DFMT_A8R8G8B8, 640, 360}), 2u); // format differs
    Targets().Release(0);
    Targets().Release(1);
    EXPECT_EQ(Targets().Request(half), 0u);
    EXPECT_EQ(Targets().Get(0).useCount, 1u);

    Targets().Release(1); // already free
    EXPECT_EQ(Targets().Get(1).useCount, 0u);

    const RTRecord& record = Targets().Get(2);
    EXPECT_EQ(record.format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(record.width, 640u);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(record.surface->GetDesc(&desc), D3D_OK);
    EXPECT_EQ(desc.Width, 640u);
    EXPECT_EQ(desc.Height, 360u);
    EXPECT_EQ(desc.Usage, D3DUSAGE_RENDERTARGET);
    EXPECT_THROW(Targets().Get(3), FrameworkEx);
}

TEST_F(RenderTargetTest, CubeAndSurfaceHandlersShareTheSameWay) {
    RTCubeHandler& cubes = *RTCubeHandler::Instance();
    EXPECT_EQ(cubes.Request({D3DFMT_X8R8G8B8, 128}), 0u);
    EXPECT_EQ(cubes.Request({D3DFMT_X8R8G8B8, 64}), 1u);
    cubes.Release(0);
    EXPECT_EQ(cubes.Request({D3DFMT_X8R8G8B8, 128}), 0u);
    const RTCubeRecord& cube = cubes.Get(0);
    for (int face = 0; face < 6; ++face) {
        ASSERT_NE(cube.faces[face], nullptr);
        for (int other = 0; other < face; ++other)
            EXPECT_NE(cube.faces[face], cube.faces[other]);
    }

    RSHandler& surfaces = *RSHandler::Instance();
    EXPECT_EQ(surfaces.Request({1280, 720, D3DFMT_X8R8G8B8}), 0u);
    EXPECT_EQ(surfaces.Request({1280, 720, D3DFMT_X8R8G8B8}), 1u);
    surfaces.Release(1);
    EXPECT_EQ(surfaces.Request({1280, 720, D3DFMT_X8R8G8B8}), 1u);
    EXPECT_EQ(surfaces.Get(1).width, 1280u);
}

TEST_F(RenderTargetTest, ScenesWithEqualShapesEndUpWithTheSameRecords) {
    const RTDescriptor blur{D3DFMT_X8R8G8B8, 640, 360};
    DeclaringScene truman(
        "TrumanScene", {{"Blur1", blur}, {"Blur2", blur}, {"Copy", {D3DFMT_X8R8G8B8, 1280, 720}}});
    DeclaringScene cantor("CantorScene", {{"Blur2", blur}, {"Blur1", blur}});
    // The loading pass: Enter then Leave for each scene in turn.
    for (Scene* scene : {static_cast<Scene*>(&truman), static_cast<Scene*>(&cantor)}) {
        scene->Enter();
        scene->Leave();
    }
    const IDirect3DTexture9* trumanBlurs[] = {truman.RenderTarget("Blur1").texture,
                                              truman.RenderTarget("Blur2").texture};
    EXPECT_NE(trumanBlurs[0], trumanBlurs[1]);
    EXPECT_EQ(cantor.RenderTarget("Blur2").texture, trumanBlurs[0]);
    EXPECT_EQ(cantor.RenderTarget("Blur1").texture, trumanBlurs[1]);
    for (unsigned index = 0; index < 3; ++index)
        EXPECT_EQ(Targets().Get(index).useCount, 0u); // every record free after loading
    EXPECT_THROW(Targets().Get(3), FrameworkEx);      // three records: two blurs and the copy

    // Playing: the current scene holds its records; the next finds them free again.
    truman.Enter();
    EXPECT_EQ(truman.RenderTarget("Blur1").useCount, 1u);
    truman.Leave();
    cantor.Enter();
    EXPECT_EQ(cantor.RenderTarget("Blur1").useCount, 1u);
    EXPECT_THROW(Targets().Get(3), FrameworkEx);
    cantor.Leave();
}

TEST_F(RenderTargetTest, AnUndeclaredNameIsRefusedWithItsName) {
    DeclaringScene scene("WaterScene", {{"Col", {D3DFMT_X8R8G8B8, 1280, 720}}});
    scene.Enter();
    struct Case {
        const char* operation;
        void (*lookUp)(DeclaringScene&);
    };
    const Case cases[] = {
        {"RenderTarget", [](DeclaringScene& s) { s.RenderTarget("Missing"); }},
        {"RenderSurface", [](DeclaringScene& s) { s.RenderSurface("Col"); }},
        {"CubeTarget", [](DeclaringScene& s) { s.CubeTarget("Missing"); }},
    };
    for (const Case& c : cases) {
        try {
            c.lookUp(scene);
            ADD_FAILURE() << c.operation << " did not throw";
        } catch (const FrameworkEx& error) {
            EXPECT_NE(error.Message().find(std::string("[Scene::") + c.operation + "]"),
                      std::string::npos)
                << error.Message();
            EXPECT_NE(error.Message().find("not declared by scene \"WaterScene\""),
                      std::string::npos)
                << error.Message();
        }
    }
    scene.Leave();
}

TEST_F(RenderTargetTest, CreationFailuresAreGuardedAndALostDeviceIsRefused) {
    D3D9TestSeam::InjectResult("CreateTexture", D3DERR_OUTOFVIDEOMEMORY);
    try {
        Targets().Request({D3DFMT_R32F, 256, 256});
        ADD_FAILURE() << "no exception";
    } catch (const FrameworkEx& error) {
        EXPECT_EQ(error.Message().rfind(
                      "Error: D3DERR_OUTOFVIDEOMEMORY\n\n"
                      ".\\Source\\Framework\\RenderTargetResources\\RTHandler\\RTHandler : ",
                      0),
                  0u)
            << error.Message();
    }

    for (const char* operation : {"CreateTexture", "CreateCubeTexture", "CreateRenderTarget"})
        D3D9TestSeam::InjectResult(operation, D3DERR_DEVICELOST);
    EXPECT_THROW(Targets().Request({D3DFMT_R32F, 256, 256}), FrameworkEx);
    EXPECT_TRUE(framework->deviceLost);
    EXPECT_THROW(RTCubeHandler::Instance()->Request({D3DFMT_X8R8G8B8, 64}), FrameworkEx);
    EXPECT_THROW(RSHandler::Instance()->Request({64, 64, D3DFMT_X8R8G8B8}), FrameworkEx);
    // Nothing was recorded by the refused requests.
    EXPECT_EQ(Targets().Request({D3DFMT_R32F, 256, 256}), 0u);
}

TEST_F(RenderTargetTest, BindingUsesTheMatchingDepthSurface) {
    class BindingScene : public Scene {
    public:
        BindingScene() : Scene("LabScene") {}
        void Enter() override {
            DeclareRenderSurface("Sur1", {1280, 720, D3DFMT_X8R8G8B8});
            DeclareRenderTarget("Tex1", {D3DFMT_X8R8G8B8, 1280, 720});
            DeclareCubeTarget("EnvCube", {D3DFMT_X8R8G8B8, 512});
        }
    } scene;
    scene.Enter();
    auto bound = [] {
        IDirect3DSurface9* target = nullptr;
        IDirect3DSurface9* depth = nullptr;
        g_pd3dDevice->GetRenderTarget(0, &target);
        g_pd3dDevice->GetDepthStencilSurface(&depth);
        target->Release();
        depth->Release();
        return std::pair{target, depth};
    };
    scene.BindRenderTarget("Tex1");
    EXPECT_EQ(bound(), std::pair(scene.RenderTarget("Tex1").surface, framework->plainDepthSurface));
    scene.BindRenderSurface("Sur1");
    EXPECT_EQ(bound(),
              std::pair(scene.RenderSurface("Sur1").surface, framework->sharedDepthSurface));
    scene.BindCubeFace("EnvCube", D3DCUBEMAP_FACE_NEGATIVE_Y);
    EXPECT_EQ(bound().first, scene.CubeTarget("EnvCube").faces[3]);
    EXPECT_THROW(scene.BindCubeFace("EnvCube", static_cast<D3DCUBEMAP_FACES>(6)), FrameworkEx);
    g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
}

TEST_F(RenderTargetTest, ReleasingTheDeviceResourcesClearsTheHandlers) {
    Targets().Request({D3DFMT_X8R8G8B8, 64, 64});
    RTCubeHandler::Instance()->Request({D3DFMT_X8R8G8B8, 64});
    RSHandler::Instance()->Request({64, 64, D3DFMT_X8R8G8B8});
    framework->ResetDevice();
    EXPECT_THROW(Targets().Get(0), FrameworkEx);
    EXPECT_THROW(RTCubeHandler::Instance()->Get(0), FrameworkEx);
    EXPECT_THROW(RSHandler::Instance()->Get(0), FrameworkEx);
    EXPECT_EQ(Targets().Request({D3DFMT_X8R8G8B8, 64, 64}), 0u);
}

} // namespace
