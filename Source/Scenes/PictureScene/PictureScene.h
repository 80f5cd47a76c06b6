// The timeline entry "PictureScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class PictureScene final : public PlaceholderScene {
public:
    explicit PictureScene(const char* sceneName) : PlaceholderScene(sceneName, 0xC62828) {}
};
