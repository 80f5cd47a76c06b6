// The registry of scenes, by name in byte-wise order; it owns them and knows the current one.
#pragma once

#include "Framework/Scene.h"
#include "Framework/Singleton.h"

#include <map>
#include <memory>
#include <string>

class SceneHandler : public Singleton<SceneHandler> {
public:
    explicit SceneHandler(std::string handlerName);
    ~SceneHandler();

    // Takes ownership and makes the scene current; a name already registered throws FrameworkEx.
    void AddScene(Scene* scene);
    // Per frame: the current scene's Update.
    void Update();
    void RenderCurrent();
    // Every scene in name order gets Enter, then Leave.
    void EnterLeaveAll();
    void LoadAll();
    void UnloadAll();

    const std::string& Name() const { return name; }
    static Scene* CurrentScene() { return currentScene; }

private:
    std::string name;
    std::map<std::string, std::unique_ptr<Scene>> scenes;
    static inline Scene* currentScene = nullptr;
};
