// The mip levels of one face of a texture. The top level is the file's top level scaled to the
// texture's size with the image filter. When that needed no scaling, the levels the file stores
// are taken as they are; every further level is made from the one above it, at half its size
// (at least 1), with the mip filter.
#pragma once

#include "Platform/D3DX9/ImageFilter.h"
#include "Platform/D3DX9/TextureImage.h"

#include <vector>

std::vector<TextureImage> BuildMipChain(const std::vector<TextureImage>& fileLevels, UINT width,
                                        UINT height, UINT levelCount,
                                        const ImageFilter& imageFilter,
                                        const ImageFilter& mipFilter);
