// The device state a technique touches, taken before it runs and put back after: render
// states, and the texture and sampler states of the texture units its samplers use.
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <cstdint>
#include <map>
#include <set>
#include <utility>

class SavedDeviceState {
public:
    SavedDeviceState() = default;
    ~SavedDeviceState() { Forget(); }
    SavedDeviceState(const SavedDeviceState&) = delete;
    SavedDeviceState& operator=(const SavedDeviceState&) = delete;

    struct Touched {
        std::set<std::uint32_t> renderStates;
        std::set<DWORD> units;
        std::set<std::pair<DWORD, std::uint32_t>> samplerStates; // unit, state
    };

    // What a state the device cannot report is not saved, and so not restored.
    void Save(IDirect3DDevice9* device, const Touched& touched);
    // Puts everything saved back and forgets it.
    void Restore();

private:
    void Forget();

    IDirect3DDevice9* device = nullptr;
    std::map<std::uint32_t, DWORD> renderStates;
    std::map<DWORD, IDirect3DBaseTexture9*> textures; // references held
    std::map<std::pair<DWORD, std::uint32_t>, DWORD> samplerStates;
};
