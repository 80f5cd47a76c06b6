// The timeline entry "TrumanScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class TrumanScene final : public PlaceholderScene {
public:
    explicit TrumanScene(const char* sceneName) : PlaceholderScene(sceneName, 0xF9A825) {}
};
