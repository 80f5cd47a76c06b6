#include "Platform/D3D9/SamplerStates.h"

#include <bit>

namespace {

GLint AddressMode(DWORD address) {
    switch (address) {
    case D3DTADDRESS_MIRROR:
        return GL_MIRRORED_REPEAT;
    case D3DTADDRESS_CLAMP:
        return GL_CLAMP_TO_EDGE;
    case D3DTADDRESS_BORDER:
        return GL_CLAMP_TO_BORDER;
    case D3DTADDRESS_MIRRORONCE:
        return epoxy_has_gl_extension("GL_ARB_texture_mirror_clamp_to_edge")
                   ? GL_MIRROR_CLAMP_TO_EDGE
                   : GL_MIRRORED_REPEAT;
    default:
        return GL_REPEAT;
    }
}

bool Linear(DWORD filter) {
    return filter == D3DTEXF_LINEAR || filter == D3DTEXF_ANISOTROPIC;
}

GLint MinificationFilter(DWORD minFilter, DWORD mipFilter) {
    const bool linear = Linear(minFilter);
    if (mipFilter == D3DTEXF_NONE) return linear ? GL_LINEAR : GL_NEAREST;
    if (mipFilter == D3DTEXF_POINT)
        return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
}

} // namespace

SamplerStates::SamplerStates() {
    glGenSamplers(static_cast<GLsizei>(samplers.size()), samplers.data());
    for (DWORD unit = 0; unit < kSamplerCount; ++unit)
        glBindSampler(unit, samplers[unit]);
    Reset();
}

SamplerStates::~SamplerStates() {
    glDeleteSamplers(static_cast<GLsizei>(samplers.size()), samplers.data());
}

void SamplerStates::Reset() {
    for (DWORD sampler = 0; sampler < kSamplerCount; ++sampler) {
        auto& states = values[sampler];
        states.fill(0);
        states[D3DSAMP_ADDRESSU] = D3DTADDRESS_WRAP;
        states[D3DSAMP_ADDRESSV] = D3DTADDRESS_WRAP;
        states[D3DSAMP_ADDRESSW] = D3DTADDRESS_WRAP;
        states[D3DSAMP_MAGFILTER] = D3DTEXF_POINT;
        states[D3DSAMP_MINFILTER] = D3DTEXF_POINT;
        states[D3DSAMP_MIPFILTER] = D3DTEXF_NONE;
        states[D3DSAMP_MAXANISOTROPY] = 1;
        for (std::size_t type = D3DSAMP_ADDRESSU; type < kStateCount; ++type)
            Apply(sampler, static_cast<D3DSAMPLERSTATETYPE>(type));
    }
}

HRESULT SamplerStates::Set(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    if (sampler >= kSamplerCount || type == 0 || type >= kStateCount) return D3DERR_INVALIDCALL;
    values[sampler][type] = value;
    Apply(sampler, type);
    return D3D_OK;
}

HRESULT SamplerStates::Get(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) const {
    if (sampler >= kSamplerCount || type == 0 || type >= kStateCount || value == nullptr)
        return D3DERR_INVALIDCALL;
    *value = values[sampler][type];
    return D3D_OK;
}

void SamplerStates::Apply(DWORD sampler, D3DSAMPLERSTATETYPE type) {
    const GLuint object = samplers[sampler];
    const auto& states = values[sampler];
    switch (type) {
    case D3DSAMP_ADDRESSU:
        glSamplerParameteri(object, GL_TEXTURE_WRAP_S, AddressMode(states[type]));
        break;
    case D3DSAMP_ADDRESSV:
        glSamplerParameteri(object, GL_TEXTURE_WRAP_T, AddressMode(states[type]));
        break;
    case D3DSAMP_ADDRESSW:
        glSamplerParameteri(object, GL_TEXTURE_WRAP_R, AddressMode(states[type]));
        break;
    case D3DSAMP_BORDERCOLOR: {
        const DWORD colour = states[type];
        const float border[4] = {static_cast<float>((colour >> 16) & 0xFF) / 255.0f,
                                 static_cast<float>((colour >> 8) & 0xFF) / 255.0f,
                                 static_cast<float>(colour & 0xFF) / 255.0f,
                                 static_cast<float>(colour >> 24) / 255.0f};
        glSamplerParameterfv(object, GL_TEXTURE_BORDER_COLOR, border);
        break;
    }
    case D3DSAMP_MAGFILTER:
        glSamplerParameteri(object, GL_TEXTURE_MAG_FILTER,
                            Linear(states[type]) ? GL_LINEAR : GL_NEAREST);
        break;
    case D3DSAMP_MINFILTER:
    case D3DSAMP_MIPFILTER:
        glSamplerParameteri(
            object, GL_TEXTURE_MIN_FILTER,
            MinificationFilter(states[D3DSAMP_MINFILTER], states[D3DSAMP_MIPFILTER]));
        break;
    case D3DSAMP_MIPMAPLODBIAS:
        glSamplerParameterf(object, GL_TEXTURE_LOD_BIAS, std::bit_cast<float>(states[type]));
        break;
    case D3DSAMP_MAXMIPLEVEL:
        // The most detailed level that may be used.
        glSamplerParameterf(object, GL_TEXTURE_MIN_LOD, static_cast<float>(states[type]));
        break;
    default:
        break;
    }
}
