#include "Platform/D3D9/BufferStorage.h"

BufferStorage::BufferStorage(UINT size, bool dynamic)
    : bytes(size), usage(dynamic ? GL_DYNAMIC_DRAW : GL_STATIC_DRAW) {
    glGenBuffers(1, &buffer);
    // The copy-write target leaves the array and element bindings of the draw state alone.
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer);
    glBufferData(GL_COPY_WRITE_BUFFER, size, nullptr, usage);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
}

BufferStorage::~BufferStorage() {
    glDeleteBuffers(1, &buffer);
}

HRESULT BufferStorage::Lock(UINT offset, UINT size, void** data, DWORD flags) {
    if (data == nullptr || locked || offset > bytes.size()) return D3DERR_INVALIDCALL;
    if (size == 0) size = Size() - offset;
    if (size > Size() - offset) return D3DERR_INVALIDCALL;
    locked = true;
    discard = (flags & D3DLOCK_DISCARD) != 0;
    readOnly = (flags & D3DLOCK_READONLY) != 0;
    lockOffset = offset;
    lockSize = size;
    *data = bytes.data() + offset;
    return D3D_OK;
}

HRESULT BufferStorage::Unlock() {
    if (!locked) return D3DERR_INVALIDCALL;
    locked = false;
    if (readOnly || lockSize == 0) return D3D_OK;
    glBindBuffer(GL_COPY_WRITE_BUFFER, buffer);
    if (discard && lockOffset == 0 && lockSize == Size())
        glBufferData(GL_COPY_WRITE_BUFFER, Size(), bytes.data(), usage);
    else
        glBufferSubData(GL_COPY_WRITE_BUFFER, lockOffset, lockSize, bytes.data() + lockOffset);
    glBindBuffer(GL_COPY_WRITE_BUFFER, 0);
    return D3D_OK;
}
