// The scene's named render targets.
#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/Scene.h"

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\Scene";

} // namespace

void Scene::DeclareRenderSurface(const std::string& targetName, const RSDescriptor& descriptor) {
    renderSurfaces[targetName] = RSHandler::Instance()->Request(descriptor);
}

void Scene::DeclareRenderTarget(const std::string& targetName, const RTDescriptor& descriptor) {
    renderTargets[targetName] = RTHandler::Instance()->Request(descriptor);
}

void Scene::DeclareCubeTarget(const std::string& targetName, const RTCubeDescriptor& descriptor) {
    cubeTargets[targetName] = RTCubeHandler::Instance()->Request(descriptor);
}

unsigned Scene::IndexOf(const std::map<std::string, unsigned>& targets,
                        const std::string& targetName, const char* operation) const {
    const auto found = targets.find(targetName);
    if (found == targets.end())
        throw FrameworkEx(std::string("[Scene::") + operation + "]: \"" + targetName +
                          "\" was not declared by scene \"" + name + "\"");
    return found->second;
}

const RSRecord& Scene::RenderSurface(const std::string& targetName) const {
    return RSHandler::Instance()->Get(IndexOf(renderSurfaces, targetName, "RenderSurface"));
}

const RTRecord& Scene::RenderTarget(const std::string& targetName) const {
    return RTHandler::Instance()->Get(IndexOf(renderTargets, targetName, "RenderTarget"));
}

const RTCubeRecord& Scene::CubeTarget(const std::string& targetName) const {
    return RTCubeHandler::Instance()->Get(IndexOf(cubeTargets, targetName, "CubeTarget"));
}

void Scene::ReleaseAllTargets() {
    for (const auto& [targetName, index] : renderSurfaces)
        RSHandler::Instance()->Release(index);
    for (const auto& [targetName, index] : renderTargets)
        RTHandler::Instance()->Release(index);
    for (const auto& [targetName, index] : cubeTargets)
        RTCubeHandler::Instance()->Release(index);
}

void Scene::BindRenderTarget(const std::string& targetName, DWORD slot) {
    GUARDED(g_pd3dDevice->SetRenderTarget(slot, RenderTarget(targetName).surface));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(DXFramework::Instance()->plainDepthSurface));
}

void Scene::BindRenderSurface(const std::string& targetName) {
    GUARDED(g_pd3dDevice->SetRenderTarget(0, RenderSurface(targetName).surface));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(DXFramework::Instance()->sharedDepthSurface));
}

void Scene::BindCubeFace(const std::string& targetName, D3DCUBEMAP_FACES face) {
    if (face > D3DCUBEMAP_FACE_NEGATIVE_Z)
        throw FrameworkEx("[Scene::BindCubeFace]: no cube face " + std::to_string(face));
    GUARDED(g_pd3dDevice->SetRenderTarget(0, CubeTarget(targetName).faces[face]));
    GUARDED(g_pd3dDevice->SetDepthStencilSurface(DXFramework::Instance()->plainDepthSurface));
}
