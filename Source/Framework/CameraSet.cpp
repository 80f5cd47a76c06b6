#include "Framework/CameraSet.h"

#include "Framework/Timer.h"

#include <utility>

void CameraSet::Add(std::unique_ptr<Camera> camera) {
    active = camera.get();
    const std::string name = camera->Name();
    cameras.insert_or_assign(name, std::move(camera));
}

Camera* CameraSet::Get(const std::string& name) const {
    const auto found = cameras.find(name);
    return found == cameras.end() ? nullptr : found->second.get();
}

void CameraSet::Update(float t) {
    if (cameras.empty()) return;
    for (const auto& [name, camera] : cameras) {
        camera->Update(t);
        if (camera->Visible()) {
            active = camera.get();
            return;
        }
    }
    active = cameras.begin()->second.get();
}

void CameraSet::Update() {
    Update(static_cast<float>(Timer::currentTime));
}
