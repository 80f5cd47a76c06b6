#include "Framework/RenderClasses/Quads.h"

#include "Framework/DXFramework.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\RenderClasses\\Quads\\Quads";

constexpr DWORD kDynamicWriteOnly = D3DUSAGE_DYNAMIC | D3DUSAGE_WRITEONLY;
constexpr UINT kPositionBytes = 48; // per quad: four corners of three floats
constexpr UINT kNormalBytes = 48;
constexpr UINT kColourBytes = 16;
constexpr UINT kTexCoordBytes = 32;
constexpr UINT kIndexBytes = 24; // six 32-bit indices

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {1, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_NORMAL, 0},
    {2, 0, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {3, 0, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

} // namespace

Quads::Quads(std::uint32_t quadCapacity) : capacity(quadCapacity) {}

Quads::~Quads() {
    Release();
}

void Quads::LoadEffect(const std::string& name, ID3DXEffectPool* pool) {
    if (effect != nullptr) throw FrameworkEx("[Quads::LoadEffect] Effect already bound");
    effectBorrowed = false;
    effect = new DXEffect;
    effect->LoadEffect(name, pool);
}

void Quads::SetEffect(DXEffect* borrowed) {
    if (effect != nullptr) throw FrameworkEx("[Quads::SetEffect] Effect already bound");
    effectBorrowed = true;
    effect = borrowed;
}

void Quads::SetTechnique(const std::string& name) {
    techniqueName = name;
    if (effect != nullptr) effect->SetTechnique(name);
}

void Quads::Init() {
    GUARDED(g_pd3dDevice->CreateVertexDeclaration(kLayout, &declaration));
    GUARDED(g_pd3dDevice->CreateVertexBuffer(capacity * kPositionBytes, kDynamicWriteOnly, 0,
                                             D3DPOOL_DEFAULT, &positionBuffer, nullptr));
    GUARDED(g_pd3dDevice->CreateVertexBuffer(capacity * kTexCoordBytes, kDynamicWriteOnly, 0,
                                             D3DPOOL_DEFAULT, &texCoordBuffer, nullptr));
    GUARDED(g_pd3dDevice->CreateVertexBuffer(capacity * kNormalBytes, kDynamicWriteOnly, 0,
                                             D3DPOOL_DEFAULT, &normalBuffer, nullptr));
    GUARDED(g_pd3dDevice->CreateVertexBuffer(capacity * kColourBytes, kDynamicWriteOnly, 0,
                                             D3DPOOL_DEFAULT, &colourBuffer, nullptr));
    GUARDED(g_pd3dDevice->CreateIndexBuffer(capacity * kIndexBytes, kDynamicWriteOnly,
                                            D3DFMT_INDEX32, D3DPOOL_DEFAULT, &indexBuffer,
                                            nullptr));
    // A lost device leaves the buffers unmade; the batch stays empty until it is built again.
    if (!positionBuffer || !texCoordBuffer || !normalBuffer || !colourBuffer || !indexBuffer)
        return;

    void* data = nullptr;
    GUARDED(indexBuffer->Lock(0, 0, &data, 0));
    auto* indices = static_cast<std::uint32_t*>(data);
    for (std::uint32_t quad = 0; quad < capacity; ++quad) {
        const std::uint32_t corner = 4 * quad;
        const std::uint32_t six[] = {corner, corner + 1, corner + 2,
                                     corner, corner + 2, corner + 3};
        for (std::uint32_t i = 0; i < 6; ++i)
            indices[6 * quad + i] = six[i];
    }
    GUARDED(indexBuffer->Unlock());

    D3DCOLOR* colours = LockColours();
    for (std::uint32_t vertex = 0; vertex < 4 * capacity; ++vertex)
        colours[vertex] = 0xFFFFFFFF;
    UnlockColours();

    D3DXVECTOR2* texCoords = LockTexCoords();
    for (std::uint32_t quad = 0; quad < capacity; ++quad) {
        texCoords[4 * quad + 0] = {0.0f, 0.0f};
        texCoords[4 * quad + 1] = {1.0f, 0.0f};
        texCoords[4 * quad + 2] = {1.0f, 1.0f};
        texCoords[4 * quad + 3] = {0.0f, 1.0f};
    }
    UnlockTexCoords();
}

void* Quads::Lock(IDirect3DVertexBuffer9* buffer, UINT bytes, DWORD flags) {
    void* data = nullptr;
    if (buffer == nullptr) return nullptr;
    GUARDED(buffer->Lock(0, bytes, &data, flags));
    return data;
}

void Quads::Unlock(IDirect3DVertexBuffer9* buffer) {
    GUARDED(buffer->Unlock());
}

D3DXVECTOR3* Quads::LockPositions() {
    return static_cast<D3DXVECTOR3*>(Lock(positionBuffer, 0, D3DLOCK_DISCARD));
}

D3DXVECTOR3* Quads::LockPositions(std::uint32_t quadCount) {
    return static_cast<D3DXVECTOR3*>(
        Lock(positionBuffer, quadCount * kPositionBytes, D3DLOCK_DISCARD));
}

void Quads::UnlockPositions() {
    Unlock(positionBuffer);
}

D3DCOLOR* Quads::LockColours() {
    return static_cast<D3DCOLOR*>(Lock(colourBuffer, 0, D3DLOCK_DISCARD));
}

void Quads::UnlockColours() {
    Unlock(colourBuffer);
}

D3DXVECTOR2* Quads::LockTexCoords() {
    return static_cast<D3DXVECTOR2*>(Lock(texCoordBuffer, 0, D3DLOCK_DISCARD));
}

void Quads::UnlockTexCoords() {
    Unlock(texCoordBuffer);
}

D3DXVECTOR3* Quads::LockNormals(DWORD flags) {
    return static_cast<D3DXVECTOR3*>(Lock(normalBuffer, 0, flags));
}

void Quads::UnlockNormals() {
    Unlock(normalBuffer);
}

void Quads::Bind() {
    g_pd3dDevice->SetVertexDeclaration(declaration);
    g_pd3dDevice->SetStreamSource(0, positionBuffer, 0, 12);
    g_pd3dDevice->SetStreamSource(1, normalBuffer, 0, 12);
    g_pd3dDevice->SetStreamSource(2, colourBuffer, 0, 4);
    g_pd3dDevice->SetStreamSource(3, texCoordBuffer, 0, 8);
    g_pd3dDevice->SetIndices(indexBuffer);
}

HRESULT Quads::Draw(std::uint32_t first, std::uint32_t count) {
    if (first >= capacity || count > capacity - first) return E_FAIL;
    auto draw = [&] {
        Bind();
        g_pd3dDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 4 * capacity, 6 * first,
                                           2 * count);
    };
    ID3DXEffect* running = effect != nullptr ? effect->Effect() : nullptr;
    if (running == nullptr) {
        draw();
        return D3D_OK;
    }
    UINT passes = 0;
    running->Begin(&passes, 0);
    for (UINT pass = 0; pass < passes; ++pass) {
        running->BeginPass(pass);
        draw();
        running->EndPass();
    }
    running->End();
    return D3D_OK;
}

void Quads::Release() {
    ReleaseAndClear(declaration);
    ReleaseAndClear(positionBuffer);
    ReleaseAndClear(texCoordBuffer);
    ReleaseAndClear(normalBuffer);
    ReleaseAndClear(colourBuffer);
    ReleaseAndClear(indexBuffer);
    if (!effectBorrowed) delete effect;
    effect = nullptr;
}
