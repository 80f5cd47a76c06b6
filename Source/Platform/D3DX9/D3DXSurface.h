// Writing a surface's pixels to an image file, as D3DX does.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXImageFileFormat.h"

// Saves the rectangle of a render target (the whole surface when rect is null) as an opaque
// image; PNG is the one format written. The palette argument is unused, as for every format
// without one.
HRESULT D3DXSaveSurfaceToFile(const char* destFile, D3DXIMAGE_FILEFORMAT format,
                              IDirect3DSurface9* srcSurface, const void* srcPalette,
                              const RECT* srcRect);
