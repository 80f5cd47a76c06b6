// A fixed-capacity batch of independent quads drawn with one indexed draw per effect pass. The
// owner writes positions (and where it wants them colours, texture coordinates and normals)
// straight into four vertex streams; indices, white colours and whole-texture coordinates are
// prepared by Init. Corners 0 to 3 of a quad are top-left, top-right, bottom-right, bottom-left
// as the viewer sees it.
#pragma once

#include "Framework/DXEffect.h"
#include "Platform/D3D9/D3D9.h"
#include "Platform/D3DX9/D3DXMath.h"

#include <cstdint>
#include <memory>
#include <string>

class Quads {
public:
    explicit Quads(std::uint32_t quadCapacity);
    virtual ~Quads();
    Quads(const Quads&) = delete;
    Quads& operator=(const Quads&) = delete;

    // Loads an effect the batch owns; throws FrameworkEx when one is bound already.
    void LoadEffect(const std::string& name, ID3DXEffectPool* pool);
    // Binds the caller's effect, which the batch never deletes; throws when one is bound.
    void SetEffect(DXEffect* borrowed);
    // Selects the technique in the bound effect now; Draw does not select it again.
    void SetTechnique(const std::string& name);
    // Creates the declaration and buffers and fills indices, colours and texture coordinates.
    void Init();

    // Discarding locks: the contents are undefined, the owner rewrites what it draws. Null while
    // the batch has no buffers (a lost device).
    D3DXVECTOR3* LockPositions();
    D3DXVECTOR3* LockPositions(std::uint32_t quadCount); // the first quadCount quads
    void UnlockPositions();
    D3DCOLOR* LockColours();
    void UnlockColours();
    D3DXVECTOR2* LockTexCoords();
    void UnlockTexCoords();
    // The normal stream is the owner's (sprites keep corner offsets in it).
    D3DXVECTOR3* LockNormals(DWORD flags = D3DLOCK_DISCARD);
    void UnlockNormals();

    // Draws quads first .. first + count - 1; E_FAIL, drawing nothing, for a range outside.
    HRESULT Draw(std::uint32_t first, std::uint32_t count);
    HRESULT DrawAll() { return Draw(0, capacity); }

    // Releases the declaration and buffers, and the effect unless it is borrowed.
    void Release();

    // The streams themselves, for owners that lock them with their own checks.
    IDirect3DVertexBuffer9* PositionBuffer() const { return positionBuffer; }
    IDirect3DVertexBuffer9* TexCoordBuffer() const { return texCoordBuffer; }

    std::uint32_t Capacity() const { return capacity; }
    DXEffect* Effect() const { return effect; }
    const std::string& TechniqueName() const { return techniqueName; }

protected:
    IDirect3DVertexBuffer9* NormalBuffer() const { return normalBuffer; }

private:
    void* Lock(IDirect3DVertexBuffer9* buffer, UINT bytes, DWORD flags);
    void Unlock(IDirect3DVertexBuffer9* buffer);
    void Bind();

    bool effectBorrowed = true;
    IDirect3DVertexBuffer9* normalBuffer = nullptr;
    IDirect3DVertexBuffer9* texCoordBuffer = nullptr;
    IDirect3DVertexBuffer9* positionBuffer = nullptr;
    IDirect3DVertexBuffer9* colourBuffer = nullptr;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DIndexBuffer9* indexBuffer = nullptr;
    std::uint32_t capacity;
    std::string techniqueName;
    DXEffect* effect = nullptr;
};
