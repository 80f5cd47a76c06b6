#include "Platform/D3DX9/ImageDecoder.h"

#include "Platform/D3DX9/DdsDecoder.h"
#include "Platform/D3DX9/StbImageDecoder.h"

std::optional<DecodedImage> DecodeImageFile(std::span<const std::uint8_t> file, UINT maxDimension) {
    if (HasDdsSignature(file)) return DecodeDds(file, maxDimension);
    return DecodeWithStb(file, maxDimension);
}
