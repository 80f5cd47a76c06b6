// The timeline entry "HumanoidScene".
#pragma once

#include "Framework/Scene.h"

class HumanoidScene final : public Scene {
public:
    explicit HumanoidScene(const char* sceneName) : Scene(sceneName) {}
};
