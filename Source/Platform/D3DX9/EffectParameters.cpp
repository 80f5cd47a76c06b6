// Effect parameter values: numbers of every kind go through float arrays that take what fits,
// textures through their slot's reference.
#include "Platform/D3DX9/Effect.h"

ParameterSlot* Effect::NumericSlot(D3DXHANDLE handle) const {
    const auto index = ParameterIndex(handle);
    return index && slots[*index]->IsNumeric() ? slots[*index].get() : nullptr;
}

ParameterSlot* Effect::TextureSlot(D3DXHANDLE handle) const {
    const auto index = ParameterIndex(handle);
    return index && slots[*index]->IsTexture() ? slots[*index].get() : nullptr;
}

HRESULT Effect::SetBool(D3DXHANDLE parameter, BOOL value) {
    return SetFloat(parameter, value != FALSE ? 1.0f : 0.0f);
}

HRESULT Effect::SetInt(D3DXHANDLE parameter, INT value) {
    return SetFloat(parameter, static_cast<float>(value));
}

HRESULT Effect::SetFloat(D3DXHANDLE parameter, float value) {
    return SetFloatArray(parameter, &value, 1);
}

HRESULT Effect::GetFloat(D3DXHANDLE parameter, float* value) {
    return GetFloatArray(parameter, value, 1);
}

HRESULT Effect::SetFloatArray(D3DXHANDLE parameter, const float* values, UINT count) {
    ParameterSlot* slot = NumericSlot(parameter);
    if (slot == nullptr || (values == nullptr && count != 0)) return D3DERR_INVALIDCALL;
    slot->Write(values, count);
    return D3D_OK;
}

HRESULT Effect::GetFloatArray(D3DXHANDLE parameter, float* values, UINT count) {
    const ParameterSlot* slot = NumericSlot(parameter);
    if (slot == nullptr || (values == nullptr && count != 0)) return D3DERR_INVALIDCALL;
    slot->Read(values, count);
    return D3D_OK;
}

HRESULT Effect::SetVector(D3DXHANDLE parameter, const D3DXVECTOR4* vector) {
    if (vector == nullptr) return D3DERR_INVALIDCALL;
    const float values[4] = {vector->x, vector->y, vector->z, vector->w};
    return SetFloatArray(parameter, values, 4);
}

HRESULT Effect::GetVector(D3DXHANDLE parameter, D3DXVECTOR4* vector) {
    if (vector == nullptr) return D3DERR_INVALIDCALL;
    float values[4] = {};
    const HRESULT result = GetFloatArray(parameter, values, 4);
    if (SUCCEEDED(result)) *vector = D3DXVECTOR4(values[0], values[1], values[2], values[3]);
    return result;
}

HRESULT Effect::SetMatrix(D3DXHANDLE parameter, const D3DXMATRIX* matrix) {
    return SetMatrixArray(parameter, matrix, 1);
}

HRESULT Effect::GetMatrix(D3DXHANDLE parameter, D3DXMATRIX* matrix) {
    if (matrix == nullptr) return D3DERR_INVALIDCALL;
    return GetFloatArray(parameter, &matrix->m[0][0], 16);
}

HRESULT Effect::SetMatrixArray(D3DXHANDLE parameter, const D3DXMATRIX* matrices, UINT count) {
    if (matrices == nullptr) return D3DERR_INVALIDCALL;
    ParameterSlot* slot = NumericSlot(parameter);
    if (slot == nullptr) return D3DERR_INVALIDCALL;
    std::vector<float> values;
    values.reserve(static_cast<std::size_t>(count) * 16);
    for (UINT i = 0; i < count; ++i)
        values.insert(values.end(), &matrices[i].m[0][0], &matrices[i].m[0][0] + 16);
    slot->Write(values.data(), static_cast<UINT>(values.size()));
    return D3D_OK;
}

HRESULT Effect::SetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9* texture) {
    ParameterSlot* slot = TextureSlot(parameter);
    if (slot == nullptr) return D3DERR_INVALIDCALL;
    slot->SetTexture(texture);
    return D3D_OK;
}

HRESULT Effect::GetTexture(D3DXHANDLE parameter, IDirect3DBaseTexture9** texture) {
    const ParameterSlot* slot = TextureSlot(parameter);
    if (slot == nullptr || texture == nullptr) return D3DERR_INVALIDCALL;
    *texture = slot->Texture();
    if (*texture != nullptr) (*texture)->AddRef();
    return D3D_OK;
}
