// A scene's cameras of one role (its views, or its lights), kept in byte-wise name order, and the
// camera in force: the first one, by name, that is visible.
#pragma once

#include "Framework/Camera.h"

#include <map>
#include <memory>
#include <string>

class CameraSet {
public:
    // Stores the camera under its own name, replacing a camera of that name, and makes it the
    // active camera.
    void Add(std::unique_ptr<Camera> camera);
    // The camera of that name; null when there is none.
    Camera* Get(const std::string& name) const;

    // Updates the cameras in name order up to the first visible one, which becomes active; the
    // cameras after it are not updated. When none is visible the first camera is active, with
    // the matrices of its last visible update.
    void Update(float t);
    // Update at the frame clock's current time.
    void Update();

    // Null until a camera is added.
    Camera* Active() const { return active; }

private:
    std::map<std::string, std::unique_ptr<Camera>> cameras;
    Camera* active = nullptr;
};
