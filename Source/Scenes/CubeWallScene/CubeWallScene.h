// The timeline entry "CubeWallScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class CubeWallScene final : public PlaceholderScene {
public:
    explicit CubeWallScene(const char* sceneName) : PlaceholderScene(sceneName, 0x8E24AA) {}
};
