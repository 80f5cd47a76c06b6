// The timeline entry "SerpentScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class SerpentScene final : public PlaceholderScene {
public:
    explicit SerpentScene(const char* sceneName) : PlaceholderScene(sceneName, 0x2E7D32) {}
};
