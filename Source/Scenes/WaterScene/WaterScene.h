// The timeline entry "WaterScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class WaterScene final : public PlaceholderScene {
public:
    explicit WaterScene(const char* sceneName) : PlaceholderScene(sceneName, 0x0277BD) {}
};
