#include "Platform/D3D9/VertexBuffer.h"

#include "Platform/D3D9/D3D9TestSeam.h"
#include "Platform/D3D9/Device.h"

VertexBuffer::VertexBuffer(IDirect3DDevice9* owner, const D3DVERTEXBUFFER_DESC& bufferDesc)
    : device(owner), desc(bufferDesc),
      storage(bufferDesc.Size, (bufferDesc.Usage & D3DUSAGE_DYNAMIC) != 0) {}

VertexBuffer::~VertexBuffer() {
    static_cast<Device*>(device)->MakeContextCurrent();
}

HRESULT VertexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    if (const HRESULT injected = D3D9TestSeam::TakeInjectedResult("IDirect3DVertexBuffer9::Lock"))
        return injected;
    return storage.Lock(offset, size, data, flags);
}

HRESULT VertexBuffer::Unlock() {
    static_cast<Device*>(device)->MakeContextCurrent();
    return storage.Unlock();
}

HRESULT VertexBuffer::GetDesc(D3DVERTEXBUFFER_DESC* bufferDesc) {
    if (bufferDesc == nullptr) return D3DERR_INVALIDCALL;
    *bufferDesc = desc;
    return D3D_OK;
}

IndexBuffer::IndexBuffer(IDirect3DDevice9* owner, const D3DINDEXBUFFER_DESC& bufferDesc)
    : device(owner), desc(bufferDesc),
      storage(bufferDesc.Size, (bufferDesc.Usage & D3DUSAGE_DYNAMIC) != 0) {}

IndexBuffer::~IndexBuffer() {
    static_cast<Device*>(device)->MakeContextCurrent();
}

HRESULT IndexBuffer::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    return storage.Lock(offset, size, data, flags);
}

HRESULT IndexBuffer::Unlock() {
    static_cast<Device*>(device)->MakeContextCurrent();
    return storage.Unlock();
}

HRESULT IndexBuffer::GetDesc(D3DINDEXBUFFER_DESC* bufferDesc) {
    if (bufferDesc == nullptr) return D3DERR_INVALIDCALL;
    *bufferDesc = desc;
    return D3D_OK;
}
