// The timeline entry "PictureScene".
#pragma once

#include "Framework/Scene.h"

class PictureScene final : public Scene {
public:
    explicit PictureScene(const char* sceneName) : Scene(sceneName) {}
};
