#include "Platform/D3DX9/ParameterSlot.h"

#include <algorithm>

ParameterSlot::ParameterSlot(const EffectParameter& declaration)
    : type(declaration.type), arraySize(declaration.arraySize) {
    if (!type.IsNumeric()) return;
    values.assign(static_cast<std::size_t>(type.Components()) * std::max(arraySize, 1), 0.0f);
    std::copy_n(declaration.initialValues.begin(),
                std::min(declaration.initialValues.size(), values.size()), values.begin());
}

ParameterSlot::~ParameterSlot() {
    if (texture != nullptr) texture->Release();
}

bool ParameterSlot::Fits(const EffectParameter& declaration) const {
    return declaration.type == type && declaration.arraySize == arraySize;
}

UINT ParameterSlot::Write(const float* source, UINT count) {
    const UINT taken = std::min<UINT>(count, static_cast<UINT>(values.size()));
    std::copy_n(source, taken, values.begin());
    ++revision;
    return taken;
}

UINT ParameterSlot::Read(float* destination, UINT count) const {
    const UINT given = std::min<UINT>(count, static_cast<UINT>(values.size()));
    std::copy_n(values.begin(), given, destination);
    return given;
}

void ParameterSlot::SetTexture(IDirect3DBaseTexture9* newTexture) {
    if (newTexture != nullptr) newTexture->AddRef();
    if (texture != nullptr) texture->Release();
    texture = newTexture;
    ++revision;
}
