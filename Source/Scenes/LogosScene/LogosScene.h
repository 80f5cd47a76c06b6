// The timeline entry "LogosScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class LogosScene final : public PlaceholderScene {
public:
    explicit LogosScene(const char* sceneName) : PlaceholderScene(sceneName, 0xAD1457) {}
};
