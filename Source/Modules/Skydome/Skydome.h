// The sky dome drawn behind the geometry of several scenes, registered as "Skydome".
#pragma once

#include "Framework/DXModule.h"

#include <cstdint>

class Skydome final : public DXModule {
public:
    explicit Skydome(const char* moduleName) : DXModule(moduleName) {}

    void SetFade(float value) override { skyFade = value; }
    float Fade() const { return skyFade; }
    std::uint32_t PrimitiveCount() const { return primitiveCount; }

private:
    std::uint32_t primitiveCount = 5000; // 50 x 50 cells, two triangles each
    float skyFade = 1.0f;
};
