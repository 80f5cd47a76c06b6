#include "Framework/RawMesh.h"

#include "Framework/DXFramework.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/RawMeshFormat.h"
#include "Framework/ReleaseAndClear.h"

#include <cstring>
#include <vector>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\RawMesh\\RawMesh";
constexpr std::size_t kEndMarkerBytes = 8;

// The entry's bytes followed by `slack` zero bytes. FileSys answers a missing entry with size 0,
// which would otherwise parse or copy nothing.
std::vector<std::uint8_t> ReadEntry(const std::string& entry, std::size_t slack = 0) {
    const FileSys* files = FileSys::Instance();
    if (files == nullptr) throw FrameworkEx("[rawMesh::Load] No data file for " + entry);
    const std::uint32_t size = files->GetFileSize(entry.c_str());
    if (size == 0) throw FrameworkEx("[rawMesh::Load] Missing entry " + entry);
    std::vector<std::uint8_t> bytes(size + slack);
    if (files->ReadFile(entry.c_str(), bytes.data()) != size)
        throw FrameworkEx("[rawMesh::Load] Cannot read entry " + entry);
    return bytes;
}

} // namespace

RawMesh::~RawMesh() {
    Release();
}

void RawMesh::Load(const std::string& baseName) {
    const std::string infoEntry = baseName + ".nfo", declEntry = baseName + ".decl",
                      vertexEntry = baseName + ".vb", indexEntry = baseName + ".ib";
    const RawMeshInfo info = RawMeshFormat::ParseInfo(ReadEntry(infoEntry), infoEntry);
    std::vector<std::uint8_t> declBytes = ReadEntry(declEntry, kEndMarkerBytes);
    const std::vector<D3DVERTEXELEMENT9> elements = RawMeshFormat::ParseDeclaration(
        std::span(declBytes).first(declBytes.size() - kEndMarkerBytes), info.vertexStride,
        declEntry);
    declBytes = {};
    const std::vector<std::uint8_t> vertices = ReadEntry(vertexEntry);
    RawMeshFormat::CheckVertices(info, vertices.size(), vertexEntry);
    const std::vector<std::uint8_t> indices = ReadEntry(indexEntry);
    RawMeshFormat::CheckIndices(info, indices, indexEntry);

    ReleaseDeviceObjects();
    vertexCount = info.vertexCount;
    vertexStride = info.vertexStride;
    triangleCount = info.triangleCount;

    GUARDED(g_pd3dDevice->CreateVertexDeclaration(elements.data(), &declaration));

    const auto vertexBytes = static_cast<UINT>(vertices.size());
    GUARDED(g_pd3dDevice->CreateVertexBuffer(vertexBytes, 0, 0, D3DPOOL_DEFAULT, &vertexBuffer,
                                             nullptr));
    // A lost device leaves the buffer unmade; the mesh is loaded again with the device.
    if (vertexBuffer == nullptr) return;
    void* data = nullptr;
    GUARDED(vertexBuffer->Lock(0, 0, &data, 0));
    if (data == nullptr) return;
    std::memcpy(data, vertices.data(), vertexBytes);
    GUARDED(vertexBuffer->Unlock());

    const auto indexBytes = static_cast<UINT>(indices.size());
    GUARDED(g_pd3dDevice->CreateIndexBuffer(indexBytes, 0, D3DFMT_INDEX32, D3DPOOL_DEFAULT,
                                            &indexBuffer, nullptr));
    if (indexBuffer == nullptr) return;
    data = nullptr;
    GUARDED(indexBuffer->Lock(0, 0, &data, 0));
    if (data == nullptr) return;
    std::memcpy(data, indices.data(), indexBytes);
    GUARDED(indexBuffer->Unlock());
}

void RawMesh::LoadEffect(const std::string& name, ID3DXEffectPool* pool) {
    if (effect) throw FrameworkEx("[rawMesh::LoadEffect] Effect already bound");
    effect = std::make_unique<DXEffect>();
    effect->LoadEffect(name, pool);
}

void RawMesh::Draw() {
    ID3DXEffect* running = effect ? effect->Effect() : nullptr;
    if (running == nullptr) return;
    UINT passes = 0;
    running->Begin(&passes, 0);
    for (UINT pass = 0; pass < passes; ++pass) {
        running->BeginPass(pass);
        g_pd3dDevice->SetVertexDeclaration(declaration);
        g_pd3dDevice->SetStreamSource(0, vertexBuffer, 0, vertexStride);
        g_pd3dDevice->SetIndices(indexBuffer);
        g_pd3dDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, vertexCount, 0, triangleCount);
        running->EndPass();
    }
    running->End();
}

void RawMesh::Release() {
    effect.reset();
    ReleaseDeviceObjects();
}

void RawMesh::ReleaseDeviceObjects() {
    ReleaseAndClear(vertexBuffer);
    ReleaseAndClear(indexBuffer);
    ReleaseAndClear(declaration);
}
