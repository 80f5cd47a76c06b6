#include "Framework/DXMesh.h"

#include "Framework/DXFramework.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"
#include "Platform/D3DX9/D3DXTexture.h"
#include "Platform/Win32/Windows.h"

#include <vector>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\DXMesh";
constexpr DWORD kMeshOptions = D3DXMESH_MANAGED | D3DXMESH_32BIT; // 545

// The entry's bytes; empty when the entry is missing.
std::vector<unsigned char> ReadEntry(const std::string& name) {
    const FileSys* files = FileSys::Instance();
    std::vector<unsigned char> bytes(files->GetFileSize(name.c_str()));
    if (bytes.empty() || files->ReadFile(name.c_str(), bytes.data()) == 0) bytes.clear();
    return bytes;
}

} // namespace

DXMesh::~DXMesh() {
    Release();
}

void DXMesh::LoadX(const std::string& name, bool loadTextures) {
    ReleaseMeshAndTextures();
    materials.clear();
    materialCount = 0;

    const std::vector<unsigned char> bytes = ReadEntry(name);
    ID3DXBuffer* materialBuffer = nullptr;
    DWORD count = 0;
    if (bytes.empty() || FAILED(D3DXLoadMeshFromXInMemory(
                             bytes.data(), static_cast<DWORD>(bytes.size()), kMeshOptions,
                             g_pd3dDevice, nullptr, &materialBuffer, nullptr, &count, &mesh))) {
        mesh = nullptr;
        throw FrameworkEx("[DXMesh::LoadX]: failed to load \"" + name + "\".");
    }

    materialCount = count;
    const auto* entries = static_cast<const D3DXMATERIAL*>(materialBuffer->GetBufferPointer());
    for (DWORD i = 0; i < count; ++i) {
        DXMeshMaterial entry{entries[i].MatD3D, nullptr};
        if (loadTextures && entries[i].pTextureFilename != nullptr)
            entry.texture = LoadTexture(entries[i].pTextureFilename);
        materials.push_back(entry);
    }
    materialBuffer->Release();
}

IDirect3DTexture9* DXMesh::LoadTexture(const char* fileName) const {
    const std::string path = textureFolder + fileName;
    const std::vector<unsigned char> bytes = ReadEntry(path);
    IDirect3DTexture9* texture = nullptr;
    if (bytes.empty() ||
        FAILED(D3DXCreateTextureFromFileInMemory(g_pd3dDevice, bytes.data(),
                                                 static_cast<UINT>(bytes.size()), &texture))) {
        MessageBox(nullptr, path.c_str(), "Could not locate texture", MB_OKCANCEL);
        return nullptr;
    }
    return texture;
}

void DXMesh::LoadEffect(const std::string& name, ID3DXEffectPool* pool) {
    if (effect != nullptr) throw FrameworkEx("[DXMesh::LoadEffect] Effect already bound");
    effect = new DXEffect;
    effect->LoadEffect(name, pool);
}

void DXMesh::SetEffect(DXEffect* owned) {
    if (effect != nullptr) throw FrameworkEx("[DXMesh::SetEffect] Effect already bound");
    effect = owned;
}

void DXMesh::DrawSubsets() {
    for (std::uint32_t subset = 0; subset < materialCount; ++subset)
        mesh->DrawSubset(subset);
}

void DXMesh::Draw() {
    if (mesh == nullptr) throw FrameworkEx("No mesh loaded in DXMesh::Draw ()!");
    // An effect whose loading was undone draws like no effect at all.
    ID3DXEffect* running = effect != nullptr ? effect->Effect() : nullptr;
    if (running == nullptr) {
        for (std::uint32_t subset = 0; subset < materialCount; ++subset) {
            g_pd3dDevice->SetTexture(0, materials[subset].texture);
            mesh->DrawSubset(subset);
        }
        return;
    }
    effect->SetTechnique(techniqueName);
    UINT passes = 0;
    running->Begin(&passes, 0);
    for (UINT pass = 0; pass < passes; ++pass) {
        running->BeginPass(pass);
        DrawSubsets();
        running->EndPass();
    }
    running->End();
}

void* DXMesh::LockVertices() {
    if (mesh == nullptr) throw FrameworkEx("No mesh loaded in DXMesh::LockVertices ()!");
    void* data = nullptr;
    GUARDED(mesh->LockVertexBuffer(0, &data));
    return data;
}

void DXMesh::UnlockVertices() {
    if (mesh == nullptr) return;
    GUARDED(mesh->UnlockVertexBuffer());
}

void DXMesh::ReleaseMeshAndTextures() {
    ReleaseAndClear(mesh);
    for (DXMeshMaterial& entry : materials)
        ReleaseAndClear(entry.texture);
}

void DXMesh::Release() {
    delete effect;
    effect = nullptr;
    ReleaseMeshAndTextures();
}
