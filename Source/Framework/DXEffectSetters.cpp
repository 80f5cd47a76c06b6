// The setters of DXEffect: by semantic through the handle cache, or by handle; each one effect
// call whose result is of no interest (a null handle is refused by the effect).
#include "Framework/DXEffect.h"

void DXEffect::SetTexture(const std::string& semantic, IDirect3DBaseTexture9* texture) {
    if (effect != nullptr) SetTextureByHandle(GetHandle(semantic), texture);
}
void DXEffect::SetMatrix(const std::string& semantic, const D3DXMATRIX& matrix) {
    if (effect != nullptr) SetMatrixByHandle(GetHandle(semantic), matrix);
}
void DXEffect::SetFloat(const std::string& semantic, float value) {
    if (effect != nullptr) SetFloatByHandle(GetHandle(semantic), value);
}
void DXEffect::SetVector4(const std::string& semantic, const float* values) {
    if (effect != nullptr) SetVector4ByHandle(GetHandle(semantic), values);
}
void DXEffect::SetVector3(const std::string& semantic, const float* values) {
    if (effect != nullptr) SetVector3ByHandle(GetHandle(semantic), values);
}
void DXEffect::SetVector2(const std::string& semantic, const float* values) {
    if (effect != nullptr) SetVector2ByHandle(GetHandle(semantic), values);
}
void DXEffect::SetFloatArray(const std::string& semantic, const float* values, UINT count) {
    if (effect != nullptr) SetFloatArrayByHandle(GetHandle(semantic), values, count);
}

void DXEffect::SetTextureByHandle(D3DXHANDLE handle, IDirect3DBaseTexture9* texture) {
    if (effect != nullptr) effect->SetTexture(handle, texture);
}
void DXEffect::SetMatrixByHandle(D3DXHANDLE handle, const D3DXMATRIX& matrix) {
    if (effect != nullptr) effect->SetMatrix(handle, &matrix);
}
void DXEffect::SetFloatByHandle(D3DXHANDLE handle, float value) {
    if (effect != nullptr) effect->SetFloat(handle, value);
}
void DXEffect::SetVector4ByHandle(D3DXHANDLE handle, const float* values) {
    if (effect != nullptr) effect->SetFloatArray(handle, values, 4);
}
void DXEffect::SetVector3ByHandle(D3DXHANDLE handle, const float* values) {
    if (effect != nullptr) effect->SetFloatArray(handle, values, 3);
}
void DXEffect::SetVector2ByHandle(D3DXHANDLE handle, const float* values) {
    if (effect != nullptr) effect->SetFloatArray(handle, values, 2);
}
void DXEffect::SetFloatArrayByHandle(D3DXHANDLE handle, const float* values, UINT count) {
    if (effect != nullptr) effect->SetFloatArray(handle, values, count);
}
