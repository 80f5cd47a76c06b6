#include "Framework/SceneHandler.h"

#include "Framework/Timer.h"

SceneHandler::SceneHandler(std::string handlerName)
    : Singleton("SceneHandler"), name(std::move(handlerName)), sceneEvents(name) {
    currentScene = nullptr;
    sceneEvents.LoadEvents();
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
    std::string eventScene;
    if (sceneEvents.Poll(static_cast<float>(Timer::currentTime), eventScene)) SwitchTo(eventScene);
    if (currentScene == nullptr) throw FrameworkEx("[SceneHandler::Update]: No current scene.");
    currentScene->Update();
}

void SceneHandler::SwitchTo(const std::string& sceneName) {
    const auto found = scenes.find(sceneName);
    if (found == scenes.end())
        throw FrameworkEx("[SceneHandler::Update]: Scene \"" + sceneName + "\" not registered.");
    if (currentScene != nullptr) currentScene->Leave();
    currentScene = found->second.get();
    currentScene->Enter();
    currentScene->Start();
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
