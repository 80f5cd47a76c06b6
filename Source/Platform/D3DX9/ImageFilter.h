// A D3DX filter argument taken apart: the filter type and the mirroring modifiers. Dithering
// modifiers are accepted and change nothing: the formats written keep 8 or more bits a channel.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <optional>

struct ImageFilter {
    enum class Type { None, Point, Linear, Triangle, Box };

    // D3DX_DEFAULT and a value without type bits give `fallback`; nothing for an unknown type.
    static std::optional<ImageFilter> From(DWORD filter, Type fallback);

    Type type = Type::None;
    bool mirrorU = false;
    bool mirrorV = false;
};
