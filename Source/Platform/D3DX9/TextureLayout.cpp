#include "Platform/D3DX9/TextureLayout.h"

#include "Platform/D3DX9/TexelWriter.h"

#include <algorithm>
#include <bit>

namespace {

UINT ChooseSide(UINT asked, UINT fileSide, UINT maxDimension) {
    UINT side = asked;
    if (asked == 0 || asked == D3DX_DEFAULT)
        side = std::bit_ceil(fileSide);
    else if (asked == D3DX_DEFAULT_NONPOW2)
        side = fileSide;
    return std::min(side, maxDimension);
}

} // namespace

D3DFORMAT NearestTextureFormat(D3DFORMAT wanted) {
    if (TexelSize(wanted) != 0) return wanted;
    switch (wanted) {
    case D3DFMT_R8G8B8:
    case D3DFMT_R5G6B5:
        return D3DFMT_X8R8G8B8;
    default:
        return D3DFMT_A8R8G8B8;
    }
}

TextureLayout ChooseTextureLayout(const D3DXIMAGE_INFO& file, UINT width, UINT height,
                                  UINT mipLevels, D3DFORMAT format, UINT maxDimension) {
    TextureLayout layout{};
    layout.width = ChooseSide(width, file.Width, maxDimension);
    layout.height = ChooseSide(height, file.Height, maxDimension);
    const auto wholeChain =
        static_cast<UINT>(std::bit_width(std::max(layout.width, layout.height)));
    if (mipLevels == 0 || mipLevels == D3DX_DEFAULT)
        layout.levels = wholeChain;
    else if (mipLevels == D3DX_FROM_FILE)
        layout.levels = std::min(file.MipLevels, wholeChain);
    else
        layout.levels = std::min(mipLevels, wholeChain);
    const bool fromFile = format == D3DFMT_FROM_FILE || format == D3DFMT_UNKNOWN;
    layout.format = NearestTextureFormat(fromFile ? file.Format : format);
    return layout;
}
