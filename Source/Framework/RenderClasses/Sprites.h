// A quad batch of camera-facing sprites: stream 1 carries, for each corner, its offset from the
// sprite's centre, from which a vertex shader expands the sprite around the centre position the
// owner writes into every corner.
#pragma once

#include "Framework/RenderClasses/Quads.h"

#include <vector>

class Sprites : public Quads {
public:
    explicit Sprites(std::uint32_t count);

    // Every sprite with this half-width and half-height; the height is stretched by 16:9 so
    // that a square sprite stays square in the picture.
    void SetCorners(float halfWidth, float halfHeight);
    void SetCorners(float halfSize) { SetCorners(halfSize, halfSize); }
    // Per sprite: x the half-width, y the half-height, one pair for each sprite.
    void SetCorners(const D3DXVECTOR2* halfSizes);

    std::uint32_t SpriteCount() const { return spriteCount; }
    // Three floats per sprite for the owner's own use.
    D3DXVECTOR3* Scratch() { return scratch.data(); }

private:
    static void WriteCorners(D3DXVECTOR3* corners, float halfWidth, float halfHeight);

    std::uint32_t spriteCount;
    std::vector<D3DXVECTOR3> scratch;
};
