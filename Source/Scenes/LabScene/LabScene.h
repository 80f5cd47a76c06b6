// The timeline entry "LabScene".
#pragma once

#include "Framework/Scene.h"

class LabScene final : public Scene {
public:
    explicit LabScene(const char* sceneName) : Scene(sceneName) {}
};
