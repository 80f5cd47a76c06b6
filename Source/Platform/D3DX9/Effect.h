// The effect object of D3DXCreateEffect: the parsed effect, the CPU values of its parameters
// (shared ones in the pool's slots), one GL program per pass and the handles it hands out.
#pragma once

#include "Platform/D3DX9/D3DXEffect.h"
#include "Platform/D3DX9/EffectHandleTable.h"
#include "Platform/D3DX9/EffectPool.h"
#include "Platform/D3DX9/PassProgram.h"
#include "Platform/D3DX9/SavedDeviceState.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class Effect final : public ID3DXEffect {
public:
    // Builds the parameters and links every pass; throws EffectError on the first fault.
    // Holds a reference to the device and to the pool, if any.
    Effect(IDirect3DDevice9* device, EffectDescription description, EffectPool* pool);
    ~Effect() override;

    HRESULT GetDesc(D3DXEFFECT_DESC* desc) override;
    HRESULT GetParameterDesc(D3DXHANDLE parameter, D3DXPARAMETER_DESC* desc) override;
    HRESULT GetTechniqueDesc(D3DXHANDLE technique, D3DXTECHNIQUE_DESC* desc) override;
    HRESULT GetPassDesc(D3DXHANDLE pass, D3DXPASS_DESC* desc) override;

    D3DXHANDLE GetParameter(D3DXHANDLE parent, UINT index) override;
    D3DXHANDLE GetParameterByName(D3DXHANDLE parent, const char* name) override;
    D3DXHANDLE GetParameterBySemantic(D3DXHANDLE parent, const char* semantic) override;
    D3DXHANDLE GetAnnotation(D3DXHANDLE object, UINT index) override;
    D3DXHANDLE GetAnnotationByName(D3DXHANDLE object, const char* name) override;
    D3DXHANDLE GetTechnique(UINT index) override;
    D3DXHANDLE GetTechniqueByName(const char* name) override;
    D3DXHANDLE GetPass(D3DXHANDLE technique, UINT index) override;
    HRESULT GetString(D3DXHANDLE object, const char** string) override;

    HRESULT SetBool(D3DXHANDLE parameter, BOOL value) override;
    HRESULT SetInt(D3DXHANDLE parameter, INT value) override;
    HRESULT SetFloat(D3DXHANDLE parameter, float value) override;
    HRESULT GetFloat(D3DXHANDLE parameter, float* value) override;
    HRESULT SetFloatArray(D3DXHANDLE parameter, const float* values, UINT count) override;
    HRESULT GetFloatArray(D3DXHANDLE parameter, float* values, UINT count) override;
    HRESULT SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) override;
    HRESULT GetVector(D3DXHANDLE parameter, D3DXVECTOR4* vector) override;
    HRESULT SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) override;
    HRESULT GetMatrix(D3DXHANDLE parameter, D3DXMATRIX* matrix) override;
    HRESULT SetMatrixArray(D3DXHANDLE parameter, const D3DXMATRIX* matrices, UINT count) override;
    HRESULT SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) override;
    HRESULT GetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9** texture) override;

    HRESULT SetTechnique(D3DXHANDLE technique) override;
    D3DXHANDLE GetCurrentTechnique() override;
    HRESULT Begin(UINT* passes, DWORD flags) override;
    HRESULT BeginPass(UINT pass) override;
    HRESULT CommitChanges() override;
    HRESULT EndPass() override;
    HRESULT End() override;

    HRESULT GetDevice(IDirect3DDevice9** device) override;
    HRESULT GetPool(ID3DXEffectPool** pool) override;

private:
    D3DXHANDLE AddAnnotatedObject(const std::string& name, EffectObject object,
                                  const std::vector<EffectAnnotation>& annotations);
    // The parameter or technique a handle or name stands for.
    std::optional<std::size_t> ParameterIndex(D3DXHANDLE handle) const;
    std::optional<std::size_t> TechniqueIndex(D3DXHANDLE handle) const;
    // The parameter, technique or pass that carries annotations.
    const EffectObject* AnnotatedObject(D3DXHANDLE handle) const;
    // The slot of a numeric or a texture parameter; null for any other handle.
    ParameterSlot* NumericSlot(D3DXHANDLE handle) const;
    ParameterSlot* TextureSlot(D3DXHANDLE handle) const;
    const EffectTechnique& CurrentTechnique() const { return description.techniques[*technique]; }
    // Sets the textures of the active pass's samplers whose texture changed since they were set,
    // or all of them.
    void BindSamplerTextures(bool everything);

    IDirect3DDevice9* device;
    EffectPool* pool; // null: the shared parameters are the effect's own
    EffectDescription description;
    ParameterSlots slots;                                          // by parameter index
    std::vector<std::vector<std::unique_ptr<PassProgram>>> passes; // by technique, then pass

    EffectHandleTable handles;
    std::vector<D3DXHANDLE> parameterHandles;
    std::vector<D3DXHANDLE> techniqueHandles;
    std::vector<std::vector<D3DXHANDLE>> passHandles;

    std::optional<std::size_t> technique; // the current one; the first at creation
    bool running = false;                 // between Begin and End
    std::optional<std::size_t> activePass;
    std::vector<std::uint64_t> boundTextureRevisions; // by sampler binding of the active pass
    SavedDeviceState savedState;
};
