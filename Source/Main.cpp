#include "Main.h"

#include "Framework/DXFramework.h"
#include "Framework/FrameworkEx.h"
#include "Framework/ModuleHandler.h"
#include "Framework/SceneHandler.h"
#include "Modules/LoaderBar/LoaderBar.h"
#include "Modules/PostEffects/PostEffects.h"
#include "Modules/Skydome/Skydome.h"
#include "Scenes/CantorScene/CantorScene.h"
#include "Scenes/CubeWallScene/CubeWallScene.h"
#include "Scenes/HumanoidScene/HumanoidScene.h"
#include "Scenes/IntroScene/IntroScene.h"
#include "Scenes/LabScene/LabScene.h"
#include "Scenes/LogosScene/LogosScene.h"
#include "Scenes/PictureScene/PictureScene.h"
#include "Scenes/SerpentScene/SerpentScene.h"
#include "Scenes/SpaceShipScene/SpaceShipScene.h"
#include "Scenes/TetrisScene/TetrisScene.h"
#include "Scenes/TrumanScene/TrumanScene.h"
#include "Scenes/WaterScene/WaterScene.h"

#include <exception>
#include <string>

namespace {

void RegisterModulesAndScenes() {
    ModuleHandler* modules = ModuleHandler::Instance();
    modules->Add(new PostEffects("PostFX"));
    modules->Add(new Skydome("Skydome"));
    modules->Add(new LoaderBar("LoaderBar"));

    // Registration order is not playback order: the scene events decide that. The scene
    // added last is current until the first switch.
    SceneHandler* scenes = SceneHandler::Instance();
    scenes->AddScene(new IntroScene("IntroScene"));
    scenes->AddScene(new SerpentScene("SerpentScene"));
    scenes->AddScene(new WaterScene("WaterScene"));
    scenes->AddScene(new CubeWallScene("CubeWallScene"));
    scenes->AddScene(new LabScene("LabScene"));
    scenes->AddScene(new SpaceShipScene("SpaceShipScene"));
    scenes->AddScene(new PictureScene("PictureScene"));
    scenes->AddScene(new HumanoidScene("HumanoidScene"));
    scenes->AddScene(new TrumanScene("TrumanScene"));
    scenes->AddScene(new CantorScene("CantorScene"));
    scenes->AddScene(new LogosScene("LogosScene"));
}

void ShowFailure(const char* caption, const std::string& text) {
    MessageBox(nullptr, text.c_str(), caption, MB_OK);
}

// Guarded-call messages read "Error: <result name>...".
bool NamesOutOfVideoMemory(const std::string& message) {
    return message.compare(7, 23, "D3DERR_OUTOFVIDEOMEMORY") == 0;
}

} // namespace

int LumenvaleMain(HINSTANCE instance, const char* commandLine) {
    auto* framework = new DXFramework(commandLine, instance, "Lumenvale");
    framework->gameSceneFactory = [] { return new TetrisScene("TetrisScene"); };
    try {
        RegisterModulesAndScenes();
        framework->Run();
    } catch (const FrameworkSupportFailed& failure) {
        framework->ReleaseDeviceObjects();
        ShowFailure("Fuckings from your hardware", failure.Message());
        return 1;
    } catch (const FrameworkEx& failure) {
        if (failure.Message().size() > 7 && NamesOutOfVideoMemory(failure.Message()))
            ShowFailure("Out of video memory", "Try reducing the number of multisamples, reduce "
                                               "resolution, or check the 128MB VRAM box.");
        else
            ShowFailure("Framework exception", failure.Message());
        framework->ReleaseDeviceObjects();
        return 1;
    } catch (const std::exception& failure) {
        framework->ReleaseDeviceObjects();
        ShowFailure("std::exception caught in main()", failure.what());
        return 1;
    } catch (...) {
        framework->ReleaseDeviceObjects();
        ShowFailure("Exception caught in main()", "Unknown exception");
        return 1;
    }
    delete framework;
    return 0;
}
