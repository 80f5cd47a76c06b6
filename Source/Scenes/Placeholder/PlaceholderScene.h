// A timeline entry that shows only its own colour, pulsing on the beat, until the scene's real
// drawing exists; a capture of the show then still shows every switch of the timeline.
#pragma once

#include "Framework/Scene.h"
#include "Platform/D3D9/D3D9Types.h"

class PlaceholderScene : public Scene {
public:
    PlaceholderScene(const char* sceneName, D3DCOLOR sceneColour)
        : Scene(sceneName), colour(sceneColour) {}

    void Render() override;

private:
    D3DCOLOR colour;
};
