// Device operations not written yet: each answers E_NOTIMPL until its implementation lands.
#include "Platform/D3D9/Device.h"

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
HRESULT Device::CreateQuery(D3DQUERYTYPE, IDirect3DQuery9**) {
    return E_NOTIMPL;
}
void Device::UseProgram(GLuint newProgram) {
    program = newProgram;
    glUseProgram(newProgram);
}
