// Base of every scene: a timeline entry owned by the scene registry, with its cameras and the
// block of shared parameters it fills each frame.
#pragma once

#include "Framework/CameraSet.h"
#include "Framework/RenderTargetResources/RSHandler.h"
#include "Framework/RenderTargetResources/RTCubeHandler.h"
#include "Framework/RenderTargetResources/RTHandler.h"
#include "Framework/SharedParameters.h"

#include <map>
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

    // Named render targets, private to the scene, shared by shape with the other scenes through
    // the handlers: declared in Enter, released in Leave. Declaring a name again overwrites its
    // index. A look-up of a name this scene never declared throws FrameworkEx.
    void DeclareRenderSurface(const std::string& targetName, const RSDescriptor& descriptor);
    void DeclareRenderTarget(const std::string& targetName, const RTDescriptor& descriptor);
    void DeclareCubeTarget(const std::string& targetName, const RTCubeDescriptor& descriptor);
    const RSRecord& RenderSurface(const std::string& targetName) const;
    const RTRecord& RenderTarget(const std::string& targetName) const;
    const RTCubeRecord& CubeTarget(const std::string& targetName) const;
    // Releases every declared index; the names stay.
    void ReleaseAllTargets();
    // Binds the target's level 0 to the slot, with the framework's plain depth surface.
    void BindRenderTarget(const std::string& targetName, DWORD slot = 0);
    // Binds the surface to slot 0, with the framework's shared depth surface.
    void BindRenderSurface(const std::string& targetName);
    // Binds one face of a cube target to slot 0, with the plain depth surface.
    void BindCubeFace(const std::string& targetName, D3DCUBEMAP_FACES face);

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
    unsigned IndexOf(const std::map<std::string, unsigned>& targets, const std::string& targetName,
                     const char* operation) const;

    std::string name;
    std::map<std::string, unsigned> renderSurfaces;
    std::map<std::string, unsigned> renderTargets;
    std::map<std::string, unsigned> cubeTargets;
};
