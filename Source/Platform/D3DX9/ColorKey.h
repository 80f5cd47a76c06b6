// D3DX's colour key: texels whose 8-bit ARGB equals the key become transparent black.
#pragma once

#include "Platform/D3DX9/TextureImage.h"

// A key of 0 changes nothing.
void ApplyColorKey(TextureImage& image, D3DCOLOR key);
