// The timeline entry "IntroScene".
#pragma once

#include "Framework/Scene.h"

class IntroScene final : public Scene {
public:
    explicit IntroScene(const char* sceneName) : Scene(sceneName) {}
};
