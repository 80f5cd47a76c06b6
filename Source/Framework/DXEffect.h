// An effect of the data file whose parameters are addressed by semantic: it loads the textures
// its "TEXTURE0".."TEXTURE31" parameters name in their annotations, caches parameter handles,
// and keeps the handles of the material and object-matrix semantics for its owner.
#pragma once

#include "Platform/D3DX9/D3DXEffect.h"

#include <map>
#include <string>
#include <vector>

class DXEffect {
public:
    DXEffect() = default;
    ~DXEffect();
    DXEffect(const DXEffect&) = delete;
    DXEffect& operator=(const DXEffect&) = delete;

    // Creates the effect from "OShaders\" + name + "o" (e.g. "PostEffects.fx") with the pool or
    // none, loads its annotated textures and looks its fixed handles up. Throws FrameworkEx.
    void LoadEffect(const std::string& name, ID3DXEffectPool* effectPool);
    // Remembers the name and selects that technique once an effect exists.
    void SetTechnique(const std::string& name);
    // The handle of the top-level parameter with the semantic, asked of the effect once per
    // semantic; null when it has none.
    D3DXHANDLE GetHandle(const std::string& semantic);

    // By semantic; without an effect, or for a semantic it lacks, nothing happens.
    void SetTexture(const std::string& semantic, IDirect3DBaseTexture9* texture);
    void SetMatrix(const std::string& semantic, const D3DXMATRIX& matrix);
    void SetFloat(const std::string& semantic, float value);
    void SetVector4(const std::string& semantic, const float* values);
    void SetVector3(const std::string& semantic, const float* values);
    void SetVector2(const std::string& semantic, const float* values);
    void SetFloatArray(const std::string& semantic, const float* values, UINT count);

    // By a handle from GetHandle. (A handle is a C string too: these carry their own names so
    // that a semantic written as a literal can never be taken for a handle.)
    void SetTextureByHandle(D3DXHANDLE handle, IDirect3DBaseTexture9* texture);
    void SetMatrixByHandle(D3DXHANDLE handle, const D3DXMATRIX& matrix);
    void SetFloatByHandle(D3DXHANDLE handle, float value);
    void SetVector4ByHandle(D3DXHANDLE handle, const float* values);
    void SetVector3ByHandle(D3DXHANDLE handle, const float* values);
    void SetVector2ByHandle(D3DXHANDLE handle, const float* values);
    void SetFloatArrayByHandle(D3DXHANDLE handle, const float* values, UINT count);

    // "LOCAL" = world, "LOCALVIEW" = world x view, "LOCALVIEWPROJ" = world x view-projection,
    // with the current scene's matrices; each only where the effect has it.
    void SetLocalMatrix(const D3DXMATRIX& world);

    // Releases the annotated textures and the effect; the handle cache stays.
    void Release();

    bool IsLoaded() const { return loaded; }
    ID3DXEffect* Effect() const { return effect; }
    const std::string& TechniqueName() const { return techniqueName; }
    const std::vector<D3DXHANDLE>& TextureHandles() const { return textureHandles; }
    // The texture loaded for a handle of TextureHandles(); null when none was.
    IDirect3DBaseTexture9* LoadedTexture(D3DXHANDLE handle) const;
    D3DXHANDLE MatTexHandle() const { return matTexHandle; }
    D3DXHANDLE DiffuseHandle() const { return diffuseHandle; }
    D3DXHANDLE AmbientHandle() const { return ambientHandle; }
    D3DXHANDLE SpecularHandle() const { return specularHandle; }
    D3DXHANDLE SpecularPowHandle() const { return specularPowHandle; }

private:
    void LoadAnnotatedTextures();
    // The texture a "TEXTURE" parameter's annotations name, or null when they lead to none; a
    // named file that does not load is reported in a message box.
    IDirect3DBaseTexture9* LoadAnnotatedTexture(D3DXHANDLE parameter);
    void ReleaseTextures();

    bool loaded = false;
    std::vector<D3DXHANDLE> textureHandles;
    std::map<D3DXHANDLE, IDirect3DBaseTexture9*> textures; // owned
    std::string textureFolder = "Data\\";
    std::string techniqueName = "Default";
    std::map<std::string, D3DXHANDLE> handleCache;
    D3DXHANDLE matTexHandle = nullptr;
    D3DXHANDLE diffuseHandle = nullptr;
    D3DXHANDLE ambientHandle = nullptr;
    D3DXHANDLE specularHandle = nullptr;
    D3DXHANDLE specularPowHandle = nullptr;
    D3DXHANDLE localHandle = nullptr;
    D3DXHANDLE localViewHandle = nullptr;
    D3DXHANDLE localViewProjHandle = nullptr;
    ID3DXEffectPool* pool = nullptr; // not owned
    ID3DXEffect* effect = nullptr;
};
