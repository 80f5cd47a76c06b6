// Base of every scene: a timeline entry owned by the scene registry.
#pragma once

#include <string>
#include <utility>

class Scene {
public:
    explicit Scene(std::string sceneName) : name(std::move(sceneName)) {}
    virtual ~Scene() = default;
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Draws the frame, between the device's begin and end of scene, after the letterbox clear.
    virtual void Render() {}
    // Per-frame step while current: curves, cameras, module updates.
    virtual void Update() {}
    // Acquires the scene's named render targets.
    virtual void Enter() {}
    // Releases the named render targets.
    virtual void Leave() {}
    // Creates the scene's own device objects.
    virtual void Load() {}
    // Releases the scene's own device objects.
    virtual void Unload() {}
    // Per-activation setup, right after Enter on a switch.
    virtual void Start() {}

    const std::string& Name() const { return name; }

private:
    std::string name;
};
