// Scales an image to another size with a D3DX filter. Sizes that already match are copied
// unfiltered; the NONE filter copies into the top-left corner without scaling, with
// transparent black where the source has no texels. The other filters are separable: POINT
// takes the nearest texel, LINEAR the two nearest along each axis, TRIANGLE a tent as wide as
// the scale (at least one texel each side), BOX the average of the texels the destination texel
// covers. Taps past an edge wrap around, or mirror with the mirror modifiers.
#pragma once

#include "Platform/D3DX9/ImageFilter.h"
#include "Platform/D3DX9/TextureImage.h"

TextureImage Resample(const TextureImage& source, UINT width, UINT height,
                      const ImageFilter& filter);
