#include "Modules/Water/WaterBuffers.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Modules/Water/WaterSource.h"

#include <cstring>

namespace WaterBuffers {

IDirect3DVertexBuffer9* CreateVertexBuffer(UINT bytes, bool dynamic) {
    IDirect3DVertexBuffer9* buffer = nullptr;
    const DWORD usage = D3DUSAGE_WRITEONLY | (dynamic ? D3DUSAGE_DYNAMIC : 0);
    GUARDED(g_pd3dDevice->CreateVertexBuffer(bytes, usage, 0, D3DPOOL_DEFAULT, &buffer, nullptr));
    return buffer;
}

IDirect3DIndexBuffer9* CreateIndexBuffer(UINT bytes, D3DFORMAT format) {
    IDirect3DIndexBuffer9* buffer = nullptr;
    GUARDED(g_pd3dDevice->CreateIndexBuffer(bytes, D3DUSAGE_WRITEONLY, format, D3DPOOL_DEFAULT,
                                            &buffer, nullptr));
    return buffer;
}

IDirect3DVertexDeclaration9* CreateDeclaration(const D3DVERTEXELEMENT9* elements) {
    IDirect3DVertexDeclaration9* declaration = nullptr;
    GUARDED(g_pd3dDevice->CreateVertexDeclaration(elements, &declaration));
    return declaration;
}

void Upload(IDirect3DVertexBuffer9* buffer, const void* data, UINT bytes, DWORD lockFlags) {
    if (buffer == nullptr) return;
    void* target = nullptr;
    GUARDED(buffer->Lock(0, bytes, &target, lockFlags));
    if (target == nullptr) return; // lost while locking
    std::memcpy(target, data, bytes);
    GUARDED(buffer->Unlock());
}

void Upload(IDirect3DIndexBuffer9* buffer, const void* data, UINT bytes) {
    if (buffer == nullptr) return;
    void* target = nullptr;
    GUARDED(buffer->Lock(0, bytes, &target, 0));
    if (target == nullptr) return;
    std::memcpy(target, data, bytes);
    GUARDED(buffer->Unlock());
}

void DrawIndexedTriangles(ID3DXEffect* effect, IDirect3DVertexDeclaration9* declaration,
                          std::initializer_list<Stream> streams, IDirect3DIndexBuffer9* indices,
                          UINT vertexCount, UINT triangleCount) {
    if (effect == nullptr || declaration == nullptr || indices == nullptr) return;
    for (const Stream& stream : streams)
        if (stream.buffer == nullptr) return;
    UINT passes = 0;
    GUARDED(effect->Begin(&passes, 0));
    for (UINT pass = 0; pass < passes; ++pass) {
        GUARDED(effect->BeginPass(pass));
        GUARDED(g_pd3dDevice->SetVertexDeclaration(declaration));
        UINT index = 0;
        for (const Stream& stream : streams)
            GUARDED(g_pd3dDevice->SetStreamSource(index++, stream.buffer, 0, stream.stride));
        GUARDED(g_pd3dDevice->SetIndices(indices));
        GUARDED(g_pd3dDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, vertexCount, 0,
                                                   triangleCount));
        GUARDED(effect->EndPass());
    }
    GUARDED(effect->End());
}

} // namespace WaterBuffers
