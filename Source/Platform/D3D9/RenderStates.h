// The render-state table of the device: Direct3D 9's values with Direct3D's defaults, each set
// applied to the GL context at once, so GL always holds what the table says.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <array>

class RenderStates {
public:
    RenderStates() { Reset(); }

    // Direct3D's defaults (for a device without an automatic depth buffer), applied to GL.
    void Reset();
    HRESULT Set(D3DRENDERSTATETYPE state, DWORD value);
    HRESULT Get(D3DRENDERSTATETYPE state, DWORD* value) const;
    DWORD Value(D3DRENDERSTATETYPE state) const { return values[state]; }

private:
    static constexpr std::size_t kStateCount = 210;

    void Apply(D3DRENDERSTATETYPE state);
    void ApplyBlend() const;
    void ApplyStencil() const;
    void ApplyDepthBias() const;

    std::array<DWORD, kStateCount> values{};
};
