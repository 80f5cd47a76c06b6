// The timeline entry "LogosScene".
#pragma once

#include "Framework/Scene.h"

class LogosScene final : public Scene {
public:
    explicit LogosScene(const char* sceneName) : Scene(sceneName) {}
};
