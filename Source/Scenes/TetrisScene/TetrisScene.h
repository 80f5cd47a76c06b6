// The hidden game's scene, the only one of the registry "Scenes2": it replaces the soundtrack
// with the game's looping music and restarts the demo clock.
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class TetrisScene final : public PlaceholderScene {
public:
    explicit TetrisScene(const char* sceneName) : PlaceholderScene(sceneName, 0x101010) {}

    void Start() override;
};
