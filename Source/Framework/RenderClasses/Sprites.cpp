#include "Framework/RenderClasses/Sprites.h"

#include "Framework/GuardedCall.h"

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\RenderClasses\\Sprites\\Sprites";
constexpr float kPictureAspect = 1.7777778f; // 16:9 in single precision

} // namespace

Sprites::Sprites(std::uint32_t count) : Quads(count), spriteCount(count), scratch(count) {}

void Sprites::WriteCorners(D3DXVECTOR3* corners, float halfWidth, float halfHeight) {
    const float a = halfHeight * kPictureAspect;
    corners[0] = {-halfWidth, a, 0.0f};
    corners[1] = {halfWidth, a, 0.0f};
    corners[2] = {halfWidth, -a, 0.0f};
    corners[3] = {-halfWidth, -a, 0.0f};
}

void Sprites::SetCorners(float halfWidth, float halfHeight) {
    void* data = nullptr;
    GUARDED(NormalBuffer()->Lock(0, 0, &data, D3DLOCK_DISCARD));
    auto* corners = static_cast<D3DXVECTOR3*>(data);
    for (std::uint32_t sprite = 0; sprite < spriteCount; ++sprite)
        WriteCorners(corners + 4 * sprite, halfWidth, halfHeight);
    GUARDED(NormalBuffer()->Unlock());
}

void Sprites::SetCorners(const D3DXVECTOR2* halfSizes) {
    void* data = nullptr;
    GUARDED(NormalBuffer()->Lock(0, 0, &data, 0));
    auto* corners = static_cast<D3DXVECTOR3*>(data);
    for (std::uint32_t sprite = 0; sprite < spriteCount; ++sprite)
        WriteCorners(corners + 4 * sprite, halfSizes[sprite].x, halfSizes[sprite].y);
    GUARDED(NormalBuffer()->Unlock());
}
