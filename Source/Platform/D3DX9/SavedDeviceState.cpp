#include "Platform/D3DX9/SavedDeviceState.h"

void SavedDeviceState::Save(IDirect3DDevice9* owner, const Touched& touched) {
    Forget();
    device = owner;
    for (const std::uint32_t state : touched.renderStates) {
        DWORD value = 0;
        if (SUCCEEDED(device->GetRenderState(static_cast<D3DRENDERSTATETYPE>(state), &value)))
            renderStates[state] = value;
    }
    for (const DWORD unit : touched.units) {
        IDirect3DBaseTexture9* texture = nullptr;
        if (SUCCEEDED(device->GetTexture(unit, &texture))) textures[unit] = texture;
    }
    for (const auto& [unit, state] : touched.samplerStates) {
        DWORD value = 0;
        if (SUCCEEDED(
                device->GetSamplerState(unit, static_cast<D3DSAMPLERSTATETYPE>(state), &value)))
            samplerStates[{unit, state}] = value;
    }
}

void SavedDeviceState::Restore() {
    for (const auto& [state, value] : renderStates)
        device->SetRenderState(static_cast<D3DRENDERSTATETYPE>(state), value);
    for (const auto& [key, value] : samplerStates)
        device->SetSamplerState(key.first, static_cast<D3DSAMPLERSTATETYPE>(key.second), value);
    for (const auto& [unit, texture] : textures)
        device->SetTexture(unit, texture);
    Forget();
}

void SavedDeviceState::Forget() {
    for (const auto& [unit, texture] : textures)
        if (texture != nullptr) texture->Release();
    textures.clear();
    renderStates.clear();
    samplerStates.clear();
}
