// The timeline entry "CubeWallScene".
#pragma once

#include "Framework/Scene.h"

class CubeWallScene final : public Scene {
public:
    explicit CubeWallScene(const char* sceneName) : Scene(sceneName) {}
};
