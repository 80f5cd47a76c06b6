// Where the water's blobs are at a water time: first gathering from a scatter into a ring, then
// each one flowing, a little after the one before, to its point of the funnel, which later breaks
// sideways from the top down. Coordinates are the height target's (-1 to 1, y up).
#pragma once

#include "Platform/D3DX9/D3DXMath.h"

namespace WaterBlobs {

struct BlobPlacement {
    float x;
    float y;
    float halfSize;
};

BlobPlacement PlaceBlob(int index, float tau, float beat);

// How far the blob has come from the ring toward its funnel point, 0 to 1, from water time 3 on:
// blob i sets off 0.002 i / 0.22 seconds after blob 0.
float FunnelProgress(int index, float tau);

// Four corners per blob, (x - s, y + s), (x + s, y + s), (x + s, y - s), (x - s, y - s), z 0.
void WriteBlobCorners(float tau, float beat, D3DXVECTOR3* corners);

} // namespace WaterBlobs
