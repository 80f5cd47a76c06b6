// The timeline entry "WaterScene".
#pragma once

#include "Framework/Scene.h"

class WaterScene final : public Scene {
public:
    explicit WaterScene(const char* sceneName) : Scene(sceneName) {}
};
