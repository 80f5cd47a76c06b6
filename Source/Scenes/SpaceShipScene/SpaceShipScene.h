// The timeline entry "SpaceShipScene".
#pragma once

#include "Framework/Scene.h"

class SpaceShipScene final : public Scene {
public:
    explicit SpaceShipScene(const char* sceneName) : Scene(sceneName) {}
};
