// The module and scene registries: ownership, order of the walks, duplicates and lookups, and
// the scene switches that the scene events call for.
#include "Framework/FrameworkEx.h"
#include "Framework/ModuleHandler.h"
#include "Framework/SceneHandler.h"
#include "Framework/Timer.h"
#include "ScratchDataFile.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> calls;

class RecordingModule : public DXModule {
public:
    explicit RecordingModule(const char* moduleName) : DXModule(moduleName) {}
    ~RecordingModule() override { calls.push_back("delete " + Name()); }
    void Load() override { calls.push_back("load " + Name()); }
    void Unload() override { calls.push_back("unload " + Name()); }
};

class RecordingScene : public Scene {
public:
    explicit RecordingScene(const char* sceneName) : Scene(sceneName) {}
    void Enter() override { calls.push_back("enter " + Name()); }
    void Leave() override { calls.push_back("leave " + Name()); }
    void Load() override { calls.push_back("load " + Name()); }
    void Update() override { calls.push_back("update " + Name()); }
    void Start() override { calls.push_back("start " + Name()); }
};

// The scene registry reads its events from the data file; without an entry it has none.
class Registries : public ::testing::Test {
protected:
    void SetUp() override {
        calls.clear();
        data.Mount({});
    }
    void TearDown() override { Timer::currentTime = 0.0; }

    ScratchDataFile data;
};

TEST_F(Registries, LoaderBarLoadsFirstThenByteWiseNameOrder) {
    ModuleHandler modules;
    for (const char* name : {"Water", "PostFX", "Skydome", "LoaderBar", "Lab"})
        modules.Add(new RecordingModule(name));
    modules.LoadAll();
    EXPECT_EQ(calls, (std::vector<std::string>{"load LoaderBar", "load Lab", "load PostFX",
                                               "load Skydome", "load Water"}));
}

TEST_F(Registries, ADuplicateModuleIsDeletedAndTheFirstStays) {
    ModuleHandler modules;
    auto* first = new RecordingModule("PostFX");
    modules.Add(first);
    modules.Add(new RecordingModule("PostFX"));
    EXPECT_EQ(calls, std::vector<std::string>{"delete PostFX"});
    EXPECT_EQ(modules.Get("PostFX"), first);
}

TEST_F(Registries, AnUnregisteredModuleIsNamedInTheFailure) {
    ModuleHandler modules;
    EXPECT_EQ(modules.Find("Water"), nullptr);
    try {
        modules.Get("Water");
        FAIL();
    } catch (const FrameworkEx& failure) {
        EXPECT_EQ(failure.Message(), "[ModuleHandler::Get]: Module \"Water\" not registered.");
    }
}

TEST_F(Registries, DestructionDeletesEveryModule) {
    {
        ModuleHandler modules;
        modules.Add(new RecordingModule("B"));
        modules.Add(new RecordingModule("A"));
    }
    EXPECT_THAT(calls, ::testing::UnorderedElementsAre("delete A", "delete B"));
    EXPECT_EQ(ModuleHandler::Instance(), nullptr);
}

TEST_F(Registries, ASceneNameRegisteredTwiceIsRefused) {
    SceneHandler scenes("Scenes");
    auto* intro = new RecordingScene("IntroScene");
    scenes.AddScene(intro);
    try {
        scenes.AddScene(new RecordingScene("IntroScene"));
        FAIL();
    } catch (const FrameworkEx& failure) {
        EXPECT_EQ(failure.Message(),
                  "[SceneHandler::AddScene]: Scene \"IntroScene\" already added.");
    }
    EXPECT_EQ(SceneHandler::CurrentScene(), intro);
}

TEST_F(Registries, TheSceneAddedLastIsCurrent) {
    SceneHandler scenes("Scenes");
    scenes.AddScene(new RecordingScene("IntroScene"));
    auto* logos = new RecordingScene("LogosScene");
    scenes.AddScene(logos);
    EXPECT_EQ(SceneHandler::CurrentScene(), logos);
    scenes.Update();
    EXPECT_EQ(calls, std::vector<std::string>{"update LogosScene"});
}

TEST_F(Registries, SceneWalksGoInNameOrder) {
    SceneHandler scenes("Scenes");
    scenes.AddScene(new RecordingScene("WaterScene"));
    scenes.AddScene(new RecordingScene("CantorScene"));
    scenes.EnterLeaveAll();
    scenes.LoadAll();
    EXPECT_EQ(calls, (std::vector<std::string>{"enter CantorScene", "leave CantorScene",
                                               "enter WaterScene", "leave WaterScene",
                                               "load CantorScene", "load WaterScene"}));
}

TEST_F(Registries, AnUpdateWithoutAnySceneFails) {
    SceneHandler scenes("Scenes");
    EXPECT_THROW(scenes.Update(), FrameworkEx);
}

struct SwitchStep {
    double time;
    std::vector<std::string> calls;
};

// Each step sets the demo time, updates the registry and expects exactly these calls.
void ExpectSteps(SceneHandler& scenes, const std::vector<SwitchStep>& steps) {
    for (const SwitchStep& step : steps) {
        SCOPED_TRACE(step.time);
        calls.clear();
        Timer::currentTime = step.time;
        scenes.Update();
        EXPECT_EQ(calls, step.calls);
    }
}

TEST_F(Registries, SceneEventsSwitchScenesBothWaysInTime) {
    data.Mount({{"Data\\event\\Scenes", "0 IntroScene\n12.5 SerpentScene\n"}});
    SceneHandler scenes("Scenes");
    scenes.AddScene(new RecordingScene("IntroScene"));
    scenes.AddScene(new RecordingScene("SerpentScene"));
    ExpectSteps(
        scenes,
        {
            // The scene added last is current until the first update.
            {0.0,
             {"leave SerpentScene", "enter IntroScene", "start IntroScene", "update IntroScene"}},
            {5.0, {"update IntroScene"}},
            // Narrowed to a float, this time is the event's 12.5.
            {12.4999999999,
             {"leave IntroScene", "enter SerpentScene", "start SerpentScene",
              "update SerpentScene"}},
            {13.0, {"update SerpentScene"}},
            {3.0,
             {"leave SerpentScene", "enter IntroScene", "start IntroScene", "update IntroScene"}},
        });
}

TEST_F(Registries, ASceneFollowingItselfIsEnteredAndStartedAgain) {
    data.Mount({{"Data\\event\\Scenes", "0 WaterScene\n82 WaterScene\n"}});
    SceneHandler scenes("Scenes");
    scenes.AddScene(new RecordingScene("WaterScene"));
    ExpectSteps(
        scenes,
        {
            {1.0,
             {"leave WaterScene", "enter WaterScene", "start WaterScene", "update WaterScene"}},
            {90.0,
             {"leave WaterScene", "enter WaterScene", "start WaterScene", "update WaterScene"}},
        });
}

TEST_F(Registries, TheHandlerReadsTheEventsNamedLikeIt) {
    data.Mount(
        {{"Data\\event\\Scenes", "0 IntroScene\n"}, {"Data\\event\\Scenes2", "0 TetrisScene\n"}});
    SceneHandler scenes("Scenes2");
    scenes.AddScene(new RecordingScene("TetrisScene"));
    scenes.AddScene(new RecordingScene("IntroScene"));
    ExpectSteps(scenes, {{0.0,
                          {"leave IntroScene", "enter TetrisScene", "start TetrisScene",
                           "update TetrisScene"}}});
}

TEST_F(Registries, AnEventNamingAnUnregisteredSceneIsNamedInTheFailure) {
    data.Mount({{"Data\\event\\Scenes", "0 IntroScene\n10 GhostScene\n"}});
    SceneHandler scenes("Scenes");
    auto* intro = new RecordingScene("IntroScene");
    scenes.AddScene(intro);
    scenes.Update();
    calls.clear();
    Timer::currentTime = 10.0;
    try {
        scenes.Update();
        FAIL();
    } catch (const FrameworkEx& failure) {
        EXPECT_EQ(failure.Message(),
                  "[SceneHandler::Update]: Scene \"GhostScene\" not registered.");
    }
    EXPECT_EQ(SceneHandler::CurrentScene(), intro);
    EXPECT_TRUE(calls.empty());
}

} // namespace
