// The timeline entry "WaterScene": the liquid surface painted by blobs on the soundtrack's hits,
// then the flight through the liquid tunnel, both drawn by its module "Water".
#pragma once

#include "Framework/Scene.h"

class Water;

class WaterScene final : public Scene {
public:
    // Builds the module "Water" and registers it.
    explicit WaterScene(const char* sceneName);

    void Enter() override;
    void Leave() override;
    void Update() override;
    void Render() override;

private:
    Water* water; // owned by the module registry
};
