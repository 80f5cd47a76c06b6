// Lets tests see which textures DXEffect asks the texture loader for, with the filters it
// passes, whatever the loader then makes of them.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <string>
#include <vector>

namespace DXEffectTestSeam {

struct TextureRequest {
    std::string entry; // the data-file entry, folder included
    bool cube = false;
    DWORD filter = 0; // 2D textures only
    DWORD mipFilter = 0;
};

// Starts recording the texture requests of every later LoadEffect.
void RecordTextureRequests();
const std::vector<TextureRequest>& TextureRequests();
// Stops recording and forgets what was recorded.
void Clear();

// Used by DXEffect.
void Record(const TextureRequest& request);

} // namespace DXEffectTestSeam
