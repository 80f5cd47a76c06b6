// The timeline entry "HumanoidScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class HumanoidScene final : public PlaceholderScene {
public:
    explicit HumanoidScene(const char* sceneName) : PlaceholderScene(sceneName, 0x00897B) {}
};
