#include "Platform/D3DX9/ImageFilter.h"

#include "Platform/D3DX9/D3DXTexture.h"

std::optional<ImageFilter> ImageFilter::From(DWORD filter, Type fallback) {
    if (filter == D3DX_DEFAULT) return ImageFilter{fallback};
    ImageFilter result{fallback, (filter & D3DX_FILTER_MIRROR_U) != 0,
                       (filter & D3DX_FILTER_MIRROR_V) != 0};
    switch (filter & 0xFF) {
    case 0:
        return result;
    case D3DX_FILTER_NONE:
        result.type = Type::None;
        return result;
    case D3DX_FILTER_POINT:
        result.type = Type::Point;
        return result;
    case D3DX_FILTER_LINEAR:
        result.type = Type::Linear;
        return result;
    case D3DX_FILTER_TRIANGLE:
        result.type = Type::Triangle;
        return result;
    case D3DX_FILTER_BOX:
        result.type = Type::Box;
        return result;
    default:
        return std::nullopt;
    }
}
