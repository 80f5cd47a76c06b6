// The post-processing module that finishes the scenes' frames, registered as "PostFX".
#pragma once

#include "Framework/DXModule.h"

class PostEffects final : public DXModule {
public:
    explicit PostEffects(const char* moduleName) : DXModule(moduleName) {}
};
