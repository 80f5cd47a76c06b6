// The timeline entry "IntroScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class IntroScene final : public PlaceholderScene {
public:
    explicit IntroScene(const char* sceneName) : PlaceholderScene(sceneName, 0x203A80) {}
};
