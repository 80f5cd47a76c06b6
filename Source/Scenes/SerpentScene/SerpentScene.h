// The timeline entry "SerpentScene".
#pragma once

#include "Framework/Scene.h"

class SerpentScene final : public Scene {
public:
    explicit SerpentScene(const char* sceneName) : Scene(sceneName) {}
};
