// Lets tests see each quad the post-processing module draws: the technique, where it lands and
// what it reads, in draw order.
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <string>
#include <vector>

namespace PostEffectsTestSeam {

struct Draw {
    std::string technique;
    IDirect3DSurface9* target = nullptr; // render target 0; not held
    D3DVIEWPORT9 viewport{};
    IDirect3DBaseTexture9* colourTexture = nullptr; // "COLTEX1"; not held
};

// Starts recording the draws of every later operation.
void RecordDraws();
const std::vector<Draw>& Draws();
// Stops recording and forgets what was recorded.
void Clear();

bool Recording();
// Used by the module.
void Record(const Draw& draw);

} // namespace PostEffectsTestSeam
