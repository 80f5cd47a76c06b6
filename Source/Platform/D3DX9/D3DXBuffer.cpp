// Byte blocks of D3DX: error texts of the effect compiler and scratch buffers.
#include "Platform/D3DX9/D3DXEffect.h"

#include <vector>

namespace {

class ByteBuffer final : public ID3DXBuffer {
public:
    explicit ByteBuffer(DWORD size) : bytes(size) {}
    void* GetBufferPointer() override { return bytes.data(); }
    DWORD GetBufferSize() override { return static_cast<DWORD>(bytes.size()); }

private:
    std::vector<unsigned char> bytes;
};

} // namespace

HRESULT D3DXCreateBuffer(DWORD numBytes, ID3DXBuffer** buffer) {
    if (buffer == nullptr) return D3DERR_INVALIDCALL;
    *buffer = new ByteBuffer(numBytes);
    return D3D_OK;
}
