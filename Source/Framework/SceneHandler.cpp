#include "Framework/SceneHandler.h"

SceneHandler::SceneHandler(std::string handlerName)
    : Singleton("SceneHandler"), name(std::move(handlerName)) {
    currentScene = nullptr;
}

SceneHandler::~SceneHandler() {
    currentScene = nullptr;
    scenes.clear();
}

void SceneHandler::AddScene(Scene* scene) {
    std::unique_ptr<Scene> owned(scene);
    const auto [position, added] = scenes.try_emplace(owned->Name(), std::move(owned));
    if (!added)
        throw FrameworkEx("[SceneHandler::AddScene]: Scene \"" + scene->Name() +
                          "\" already added.");
    currentScene = position->second.get();
}

void SceneHandler::Update() {
    if (currentScene == nullptr) throw FrameworkEx("[SceneHandler::Update]: No current scene.");
    currentScene->Update();
}

void SceneHandler::RenderCurrent() {
    if (currentScene != nullptr) currentScene->Render();
}

void SceneHandler::EnterLeaveAll() {
    for (const auto& entry : scenes) {
        entry.second->Enter();
        entry.second->Leave();
    }
}

void SceneHandler::LoadAll() {
    for (const auto& entry : scenes)
        entry.second->Load();
}

void SceneHandler::UnloadAll() {
    for (const auto& entry : scenes)
        entry.second->Unload();
}
