// The registry of scenes, by name in byte-wise order; it owns them, knows the current one and
// switches scenes as its event list (named like the registry) says.
#pragma once

#include "Framework/EventList.h"
#include "Framework/Scene.h"
#include "Framework/Singleton.h"

#include <map>
#include <memory>
#include <string>

class SceneHandler : public Singleton<SceneHandler> {
public:
    // Loads the scene events "Data\event\" + handlerName through FileSys, which must exist.
    explicit SceneHandler(std::string handlerName);
    ~SceneHandler();

    // Takes ownership and makes the scene current; a name already registered throws FrameworkEx.
    void AddScene(Scene* scene);
    // Per frame: polls the scene events at the demo time; when the event in force changed, the
    // current scene gets Leave and the named one becomes current with Enter and Start. Then the
    // current scene's Update. A named scene that is not registered, or no current scene at
    // all, throws FrameworkEx.
    void Update();
    void RenderCurrent();
    // Every scene in name order gets Enter, then Leave.
    void EnterLeaveAll();
    void LoadAll();
    void UnloadAll();

    const std::string& Name() const { return name; }
    static Scene* CurrentScene() { return currentScene; }

private:
    void SwitchTo(const std::string& sceneName);

    std::string name;
    std::map<std::string, std::unique_ptr<Scene>> scenes;
    EventList sceneEvents;
    static inline Scene* currentScene = nullptr;
};
