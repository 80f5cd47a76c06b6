// The sixteen samplers of the device: Direct3D 9's sampler states per sampler, each sampler a GL
// sampler object bound to the texture unit of the same number.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <epoxy/gl.h>

#include <array>

class SamplerStates {
public:
    static constexpr DWORD kSamplerCount = 16;

    SamplerStates();
    ~SamplerStates();
    SamplerStates(const SamplerStates&) = delete;
    SamplerStates& operator=(const SamplerStates&) = delete;

    // Direct3D's defaults: wrap, point filtering, no mipmapping.
    void Reset();
    HRESULT Set(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value);
    HRESULT Get(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) const;

private:
    static constexpr std::size_t kStateCount = D3DSAMP_MAXANISOTROPY + 1;

    void Apply(DWORD sampler, D3DSAMPLERSTATETYPE type);

    std::array<std::array<DWORD, kStateCount>, kSamplerCount> values{};
    std::array<GLuint, kSamplerCount> samplers{};
};
