// The value of one effect parameter as the CPU holds it: numbers (ints and bools too) as floats,
// or a texture with a reference held. A slot is the effect's own, or a shared parameter's one
// value that every effect of a pool sees. Each change raises the revision, so that a program
// uploads only what changed since its last upload.
#pragma once

#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/EffectDescription.h"

#include <cstdint>
#include <span>
#include <vector>

class ParameterSlot {
public:
    explicit ParameterSlot(const EffectParameter& declaration);
    ~ParameterSlot();
    ParameterSlot(const ParameterSlot&) = delete;
    ParameterSlot& operator=(const ParameterSlot&) = delete;

    // Whether another declaration of a shared parameter fits this slot: same type and size.
    bool Fits(const EffectParameter& declaration) const;
    bool IsNumeric() const { return type.IsNumeric(); }
    bool IsTexture() const { return type.IsTexture(); }

    // Copies up to `count` values from the first component on; returns how many were taken.
    UINT Write(const float* source, UINT count);
    UINT Read(float* destination, UINT count) const;
    std::span<const float> Values() const { return values; }

    // Holds a reference to the texture (null clears) and drops the one it held.
    void SetTexture(IDirect3DBaseTexture9* newTexture);
    IDirect3DBaseTexture9* Texture() const { return texture; }

    std::uint64_t Revision() const { return revision; }

private:
    EffectType type;
    int arraySize;
    std::vector<float> values;
    IDirect3DBaseTexture9* texture = nullptr;
    std::uint64_t revision = 1;
};
