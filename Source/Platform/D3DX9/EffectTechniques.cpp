// Running a technique: Begin saves what its passes touch, BeginPass applies a pass, End puts the
// device back as it was.
#include "Platform/D3D9/Device.h"
#include "Platform/D3DX9/Effect.h"

HRESULT Effect::SetTechnique(D3DXHANDLE handle) {
    const auto index = TechniqueIndex(handle);
    if (!index || running) return D3DERR_INVALIDCALL;
    technique = index;
    return D3D_OK;
}

D3DXHANDLE Effect::GetCurrentTechnique() {
    return technique ? techniqueHandles[*technique] : nullptr;
}

// Only flags 0 are known: the effect always saves and restores the state it touches.
HRESULT Effect::Begin(UINT* passCount, DWORD flags) {
    if (!technique || running || flags != 0) return D3DERR_INVALIDCALL;
    SavedDeviceState::Touched touched;
    const EffectTechnique& current = CurrentTechnique();
    for (std::size_t pass = 0; pass < current.passes.size(); ++pass) {
        for (const EffectStateAssignment& state : current.passes[pass].renderStates)
            touched.renderStates.insert(state.state);
        for (const PassProgram::SamplerBinding& binding : passes[*technique][pass]->Samplers()) {
            touched.units.insert(binding.unit);
            for (const EffectStateAssignment& state :
                 description.parameters[binding.sampler].samplerStates)
                touched.samplerStates.insert({binding.unit, state.state});
        }
    }
    savedState.Save(device, touched);
    running = true;
    if (passCount != nullptr) *passCount = static_cast<UINT>(current.passes.size());
    return D3D_OK;
}

HRESULT Effect::BeginPass(UINT pass) {
    if (!running || activePass || pass >= CurrentTechnique().passes.size())
        return D3DERR_INVALIDCALL;
    PassProgram& program = *passes[*technique][pass];
    static_cast<Device*>(device)->UseProgram(program.Program());
    for (const EffectStateAssignment& state : CurrentTechnique().passes[pass].renderStates)
        device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state.state), state.value);
    activePass = pass;
    boundTextureRevisions.assign(program.Samplers().size(), 0);
    BindSamplerTextures(true);
    for (const PassProgram::SamplerBinding& binding : program.Samplers())
        for (const EffectStateAssignment& state :
             description.parameters[binding.sampler].samplerStates)
            device->SetSamplerState(binding.unit, static_cast<D3DSAMPLERSTATETYPE>(state.state),
                                    state.value);
    program.Upload(slots, true);
    return D3D_OK;
}

void Effect::BindSamplerTextures(bool everything) {
    const auto& bindings = passes[*technique][*activePass]->Samplers();
    for (std::size_t i = 0; i < bindings.size(); ++i) {
        const ParameterSlot* texture =
            bindings[i].texture ? slots[*bindings[i].texture].get() : nullptr;
        const std::uint64_t revision = texture != nullptr ? texture->Revision() : 0;
        if (!everything && revision == boundTextureRevisions[i]) continue;
        device->SetTexture(bindings[i].unit, texture != nullptr ? texture->Texture() : nullptr);
        boundTextureRevisions[i] = revision;
    }
}

HRESULT Effect::CommitChanges() {
    if (!activePass) return D3DERR_INVALIDCALL;
    BindSamplerTextures(false);
    passes[*technique][*activePass]->Upload(slots, false);
    return D3D_OK;
}

HRESULT Effect::EndPass() {
    if (!activePass) return D3DERR_INVALIDCALL;
    activePass.reset();
    return D3D_OK;
}

HRESULT Effect::End() {
    if (!running) return D3DERR_INVALIDCALL;
    activePass.reset();
    savedState.Restore();
    static_cast<Device*>(device)->UseProgram(0);
    running = false;
    return D3D_OK;
}
