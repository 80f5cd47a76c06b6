// Device operations not written yet: each answers E_NOTIMPL until its implementation lands.
#include "Platform/D3D9/Device.h"

HRESULT Device::CreateTexture(UINT, UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DTexture9**,
                              void*) {
    return E_NOTIMPL;
}
HRESULT Device::CreateCubeTexture(UINT, UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DCubeTexture9**,
                                  void*) {
    return E_NOTIMPL;
}
HRESULT Device::CreateRenderTarget(UINT, UINT, D3DFORMAT, D3DMULTISAMPLE_TYPE, DWORD, BOOL,
                                   IDirect3DSurface9**, void*) {
    return E_NOTIMPL;
}
HRESULT Device::StretchRect(IDirect3DSurface9*, const RECT*, IDirect3DSurface9*, const RECT*,
                            D3DTEXTUREFILTERTYPE) {
    return E_NOTIMPL;
}
HRESULT Device::CreateVertexBuffer(UINT, DWORD, DWORD, D3DPOOL, IDirect3DVertexBuffer9**, void*) {
    return E_NOTIMPL;
}
HRESULT Device::CreateIndexBuffer(UINT, DWORD, D3DFORMAT, D3DPOOL, IDirect3DIndexBuffer9**, void*) {
    return E_NOTIMPL;
}
HRESULT Device::CreateVertexDeclaration(const D3DVERTEXELEMENT9*, IDirect3DVertexDeclaration9**) {
    return E_NOTIMPL;
}
HRESULT Device::SetVertexDeclaration(IDirect3DVertexDeclaration9*) {
    return E_NOTIMPL;
}
HRESULT Device::SetStreamSource(UINT, IDirect3DVertexBuffer9*, UINT, UINT) {
    return E_NOTIMPL;
}
HRESULT Device::SetIndices(IDirect3DIndexBuffer9*) {
    return E_NOTIMPL;
}
HRESULT Device::DrawPrimitive(D3DPRIMITIVETYPE, UINT, UINT) {
    return E_NOTIMPL;
}
HRESULT Device::DrawIndexedPrimitive(D3DPRIMITIVETYPE, INT, UINT, UINT, UINT, UINT) {
    return E_NOTIMPL;
}
HRESULT Device::SetRenderState(D3DRENDERSTATETYPE, DWORD) {
    return E_NOTIMPL;
}
HRESULT Device::GetRenderState(D3DRENDERSTATETYPE, DWORD*) {
    return E_NOTIMPL;
}
HRESULT Device::SetTexture(DWORD, IDirect3DBaseTexture9*) {
    return E_NOTIMPL;
}
HRESULT Device::GetTexture(DWORD, IDirect3DBaseTexture9**) {
    return E_NOTIMPL;
}
HRESULT Device::SetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD) {
    return E_NOTIMPL;
}
HRESULT Device::GetSamplerState(DWORD, D3DSAMPLERSTATETYPE, DWORD*) {
    return E_NOTIMPL;
}
HRESULT Device::CreateQuery(D3DQUERYTYPE, IDirect3DQuery9**) {
    return E_NOTIMPL;
}
void Device::UseProgram(GLuint newProgram) {
    program = newProgram;
}
