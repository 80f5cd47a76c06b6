// The timeline entry "SpaceShipScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class SpaceShipScene final : public PlaceholderScene {
public:
    explicit SpaceShipScene(const char* sceneName) : PlaceholderScene(sceneName, 0x37474F) {}
};
