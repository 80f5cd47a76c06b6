// Base of every scene: a timeline entry owned by the scene registry, with its cameras and the
// block of shared parameters it fills each frame.
#pragma once

#include "Framework/CameraSet.h"
#include "Framework/SharedParameters.h"

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
    // What modules read of the current scene's camera and lights.
    const SharedParameters& Shared() const { return shared; }
    // Sends the block, and the frame clock's time as "TIME", through the framework's global
    // effect to every effect of its pool; semantics the effects do not declare are skipped.
    void SetSharedParameters();

protected:
    // Updates the view cameras at t and takes the active one into the block.
    void UpdateViewCameras(float t);
    // For motion blur: first the active camera's view-projection interval seconds before t
    // becomes the previous view-projection, then UpdateViewCameras(t). While the set has no active
    // camera (nothing added yet) the previous view-projection is the current one.
    void UpdateViewCamerasWithPreviousFrame(float t, float interval);
    // Updates the light cameras at t and takes the active one into the block.
    void UpdateLightCameras(float t);

    CameraSet viewCameras;
    CameraSet lightCameras; // empty in scenes without a light
    SharedParameters shared;

private:
    std::string name;
};
