// The timeline entry "CantorScene".
#pragma once

#include "Framework/Scene.h"

class CantorScene final : public Scene {
public:
    explicit CantorScene(const char* sceneName) : Scene(sceneName) {}
};
