// The storage of a vertex or index buffer: a GL buffer object and a CPU copy that locks hand
// out, so that static buffers can be read back (meshes read their vertices) and dynamic ones
// rewritten. An unlock uploads the locked range; a discarding lock of the whole buffer orphans
// the GL storage so that a draw still reading the old contents does not stall.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <epoxy/gl.h>

#include <vector>

class BufferStorage {
public:
    BufferStorage(UINT size, bool dynamic);
    ~BufferStorage();
    BufferStorage(const BufferStorage&) = delete;
    BufferStorage& operator=(const BufferStorage&) = delete;

    GLuint Name() const { return buffer; }
    UINT Size() const { return static_cast<UINT>(bytes.size()); }

    // Size 0 locks from the offset to the end.
    HRESULT Lock(UINT offset, UINT size, void** data, DWORD flags);
    HRESULT Unlock();

private:
    std::vector<unsigned char> bytes;
    GLenum usage;
    GLuint buffer = 0;
    bool locked = false;
    bool discard = false;
    bool readOnly = false;
    UINT lockOffset = 0;
    UINT lockSize = 0;
};
