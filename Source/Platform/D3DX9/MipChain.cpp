#include "Platform/D3DX9/MipChain.h"

#include "Platform/D3DX9/ImageResampler.h"

#include <algorithm>

std::vector<TextureImage> BuildMipChain(const std::vector<TextureImage>& fileLevels, UINT width,
                                        UINT height, UINT levelCount,
                                        const ImageFilter& imageFilter,
                                        const ImageFilter& mipFilter) {
    std::vector<TextureImage> levels;
    levels.reserve(levelCount);
    const TextureImage& fileTop = fileLevels.front();
    const bool fileSized = fileTop.width == width && fileTop.height == height;
    const std::size_t fromFile =
        fileSized ? std::min<std::size_t>(fileLevels.size(), levelCount) : 0;
    levels.assign(fileLevels.begin(), fileLevels.begin() + static_cast<std::ptrdiff_t>(fromFile));
    if (levels.empty()) levels.push_back(Resample(fileTop, width, height, imageFilter));
    while (levels.size() < levelCount) {
        const TextureImage& above = levels.back();
        levels.push_back(Resample(above, std::max(above.width / 2, 1u),
                                  std::max(above.height / 2, 1u), mipFilter));
    }
    return levels;
}
