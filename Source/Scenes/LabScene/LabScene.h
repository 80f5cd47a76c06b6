// The timeline entry "LabScene".
#pragma once

#include "Scenes/Placeholder/PlaceholderScene.h"

class LabScene final : public PlaceholderScene {
public:
    explicit LabScene(const char* sceneName) : PlaceholderScene(sceneName, 0xEF6C00) {}
};
