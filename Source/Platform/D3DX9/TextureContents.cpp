#include "Platform/D3DX9/TextureContents.h"

#include "Platform/D3DX9/ColorKey.h"
#include "Platform/D3DX9/MipChain.h"

HRESULT PrepareTextureContents(std::span<const std::uint8_t> file, const TextureRequest& request,
                               D3DRESOURCETYPE type, TextureContents& contents) {
    const auto imageFilter = ImageFilter::From(request.filter, ImageFilter::Type::Triangle);
    const auto mipFilter = ImageFilter::From(request.mipFilter, ImageFilter::Type::Box);
    if (!imageFilter || !mipFilter) return D3DERR_INVALIDCALL;

    auto image = DecodeImageFile(file, request.maxDimension);
    if (!image) return D3DXERR_INVALIDDATA;
    const bool cube = type == D3DRTYPE_CUBETEXTURE;
    if (cube && image->info.ResourceType != D3DRTYPE_CUBETEXTURE) return D3DXERR_INVALIDDATA;
    if (!cube) image->faces.resize(1);

    contents.file = image->info;
    const UINT height = cube ? request.width : request.height;
    contents.layout = ChooseTextureLayout(image->info, request.width, height, request.mipLevels,
                                          request.format, request.maxDimension);
    const TextureLayout& layout = contents.layout;
    contents.faces.clear();
    for (auto& fileLevels : image->faces) {
        for (TextureImage& level : fileLevels)
            ApplyColorKey(level, request.colorKey);
        contents.faces.push_back(BuildMipChain(fileLevels, layout.width, layout.height,
                                               layout.levels, *imageFilter, *mipFilter));
    }
    return D3D_OK;
}
