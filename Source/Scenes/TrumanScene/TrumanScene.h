// The timeline entry "TrumanScene".
#pragma once

#include "Framework/Scene.h"

class TrumanScene final : public Scene {
public:
    explicit TrumanScene(const char* sceneName) : Scene(sceneName) {}
};
