// The timeline entry "CantorScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class CantorScene final : public PlaceholderScene {
public:
    explicit CantorScene(const char* sceneName) : PlaceholderScene(sceneName, 0x5D4037) {}
};
