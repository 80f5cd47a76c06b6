// The device's textures, render surfaces, StretchRect and the sixteen texture samplers.
#include "Platform/D3D9/CubeTexture.h"
#include "Platform/D3D9/D3D9TestSeam.h"
#include "Platform/D3D9/Device.h"
#include "Platform/D3D9/GLResult.h"
#include "Platform/D3D9/Texture.h"
#include "Platform/D3D9/VolumeTexture.h"

namespace {

struct GLBinding {
    GLenum target = GL_TEXTURE_2D;
    GLuint name = 0;
};

GLBinding BindingOf(IDirect3DBaseTexture9* texture) {
    if (texture == nullptr) return {};
    switch (texture->GetType()) {
    case D3DRTYPE_TEXTURE:
        return {GL_TEXTURE_2D, static_cast<Texture*>(texture)->Storage().Name()};
    case D3DRTYPE_CUBETEXTURE:
        return {GL_TEXTURE_CUBE_MAP, static_cast<CubeTexture*>(texture)->Storage().Name()};
    default:
        return {GL_TEXTURE_3D, static_cast<VolumeTexture*>(texture)->Texture()};
    }
}

// Checks the arguments shared by 2D and cube creation; the format entry or null.
const TextureFormat* CheckTextureArguments(UINT width, UINT height, UINT levels, DWORD usage,
                                           D3DFORMAT format, D3DPOOL pool) {
    const TextureFormat* entry = FindTextureFormat(format);
    if (entry == nullptr || width == 0 || height == 0 || (usage & D3DUSAGE_DEPTHSTENCIL) ||
        levels > MipChainLength(width, height))
        return nullptr;
    // Render targets live in the default pool and have one level.
    if ((usage & D3DUSAGE_RENDERTARGET) && (pool != D3DPOOL_DEFAULT || levels > 1)) return nullptr;
    return entry;
}

UINT LevelsToMake(UINT levels, DWORD usage, UINT width, UINT height) {
    if (usage & D3DUSAGE_RENDERTARGET) return 1;
    return levels == 0 ? MipChainLength(width, height) : levels;
}

// Hands a new object out, or releases it when GL could not make it.
template <typename Object, typename Interface>
HRESULT HandOut(Object* created, Interface** out) {
    const HRESULT result = TakeGLCreationResult();
    if (FAILED(result)) {
        created->Release();
        return result;
    }
    *out = created;
    return D3D_OK;
}

} // namespace

HRESULT Device::CreateTexture(UINT width, UINT height, UINT levels, DWORD usage, D3DFORMAT format,
                              D3DPOOL pool, IDirect3DTexture9** texture, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateTexture")) return injected;
    const TextureFormat* entry = CheckTextureArguments(width, height, levels, usage, format, pool);
    if (texture == nullptr || entry == nullptr) return D3DERR_INVALIDCALL;
    TakeGLCreationResult();
    return HandOut(new Texture(this, *entry, width, height,
                               LevelsToMake(levels, usage, width, height), usage, pool),
                   texture);
}

HRESULT Device::CreateCubeTexture(UINT edgeLength, UINT levels, DWORD usage, D3DFORMAT format,
                                  D3DPOOL pool, IDirect3DCubeTexture9** cubeTexture, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateCubeTexture"))
        return injected;
    const TextureFormat* entry =
        CheckTextureArguments(edgeLength, edgeLength, levels, usage, format, pool);
    if (cubeTexture == nullptr || entry == nullptr) return D3DERR_INVALIDCALL;
    TakeGLCreationResult();
    return HandOut(new CubeTexture(this, *entry, edgeLength,
                                   LevelsToMake(levels, usage, edgeLength, edgeLength), usage,
                                   pool),
                   cubeTexture);
}

HRESULT Device::CreateRenderTarget(UINT width, UINT height, D3DFORMAT format,
                                   D3DMULTISAMPLE_TYPE multiSample, DWORD, BOOL,
                                   IDirect3DSurface9** surface, void*) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("CreateRenderTarget"))
        return injected;
    const TextureFormat* entry = FindTextureFormat(format);
    if (surface == nullptr || entry == nullptr || width == 0 || height == 0 ||
        multiSample != D3DMULTISAMPLE_NONE)
        return D3DERR_INVALIDCALL;
    TakeGLCreationResult();
    return HandOut(Surface::CreateRenderbuffer(this, width, height, format, D3DUSAGE_RENDERTARGET,
                                               static_cast<GLenum>(entry->internalFormat)),
                   surface);
}

HRESULT Device::StretchRect(IDirect3DSurface9* sourceSurface, const RECT* sourceRect,
                            IDirect3DSurface9* destSurface, const RECT* destRect,
                            D3DTEXTUREFILTERTYPE filter) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("StretchRect")) return injected;
    auto* source = static_cast<Surface*>(sourceSurface);
    auto* dest = static_cast<Surface*>(destSurface);
    if (source == nullptr || dest == nullptr || !source->IsRenderTarget() ||
        !dest->IsRenderTarget() || filter > D3DTEXF_LINEAR)
        return D3DERR_INVALIDCALL;
    const RECT sourceWhole{0, 0, static_cast<LONG>(source->Desc().Width),
                           static_cast<LONG>(source->Desc().Height)};
    const RECT destWhole{0, 0, static_cast<LONG>(dest->Desc().Width),
                         static_cast<LONG>(dest->Desc().Height)};
    const RECT& from = sourceRect ? *sourceRect : sourceWhole;
    const RECT& to = destRect ? *destRect : destWhole;
    auto inside = [](const RECT& rect, const RECT& whole) {
        return rect.left >= 0 && rect.top >= 0 && rect.right <= whole.right &&
               rect.bottom <= whole.bottom && rect.left < rect.right && rect.top < rect.bottom;
    };
    if (!inside(from, sourceWhole) || !inside(to, destWhole)) return D3DERR_INVALIDCALL;

    // Row 0 is the top in every surface, so the rectangles go to GL as they are.
    const GLboolean scissor = glIsEnabled(GL_SCISSOR_TEST);
    glDisable(GL_SCISSOR_TEST);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, presentFramebuffer);
    Surface::Attach(source, GL_READ_FRAMEBUFFER, GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, blitFramebuffer);
    Surface::Attach(dest, GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0);
    glColorMaski(0, GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glBlitFramebuffer(from.left, from.top, from.right, from.bottom, to.left, to.top, to.right,
                      to.bottom, GL_COLOR_BUFFER_BIT,
                      filter == D3DTEXF_LINEAR ? GL_LINEAR : GL_NEAREST);
    Surface::Attach(nullptr, GL_DRAW_FRAMEBUFFER, GL_COLOR_ATTACHMENT0);
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, drawFramebuffer);
    renderStates->Set(D3DRS_COLORWRITEENABLE, renderStates->Value(D3DRS_COLORWRITEENABLE));
    if (scissor) glEnable(GL_SCISSOR_TEST);
    return TakeGLCreationResult();
}

HRESULT Device::SetTexture(DWORD sampler, IDirect3DBaseTexture9* texture) {
    if (sampler >= SamplerStates::kSamplerCount) return D3DERR_INVALIDCALL;
    IDirect3DBaseTexture9*& bound = textures[sampler];
    if (bound == texture) return D3D_OK;
    const GLBinding previous = BindingOf(bound);
    const GLBinding next = BindingOf(texture);
    glActiveTexture(GL_TEXTURE0 + sampler);
    if (bound != nullptr && previous.target != next.target) glBindTexture(previous.target, 0);
    glBindTexture(next.target, next.name);
    glActiveTexture(GL_TEXTURE0);
    if (texture) texture->AddRef();
    if (bound) bound->Release();
    bound = texture;
    return D3D_OK;
}

HRESULT Device::GetTexture(DWORD sampler, IDirect3DBaseTexture9** texture) {
    if (sampler >= SamplerStates::kSamplerCount || texture == nullptr) return D3DERR_INVALIDCALL;
    *texture = textures[sampler];
    if (*texture) (*texture)->AddRef();
    return D3D_OK;
}

HRESULT Device::SetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD value) {
    return samplerStates->Set(sampler, type, value);
}

HRESULT Device::GetSamplerState(DWORD sampler, D3DSAMPLERSTATETYPE type, DWORD* value) {
    return samplerStates->Get(sampler, type, value);
}

HRESULT Device::SetRenderState(D3DRENDERSTATETYPE state, DWORD value) {
    return renderStates->Set(state, value);
}

HRESULT Device::GetRenderState(D3DRENDERSTATETYPE state, DWORD* value) {
    return renderStates->Get(state, value);
}
