// The module and scene registries: ownership, order of the walks, duplicates and lookups.
#include "Framework/FrameworkEx.h"
#include "Framework/ModuleHandler.h"
#include "Framework/SceneHandler.h"

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
};

class Registries : public ::testing::Test {
protected:
    void SetUp() override { calls.clear(); }
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

} // namespace
