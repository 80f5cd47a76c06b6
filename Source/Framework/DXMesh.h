// A static triangle mesh from an X file of the data file, with one material (and optionally its
// texture) per subset, drawn subset by subset through a bound effect or, without one, with each
// subset's texture on stage 0.
#pragma once

#include "Framework/DXEffect.h"
#include "Platform/D3DX9/D3DXMesh.h"

#include <cstdint>
#include <string>
#include <vector>

struct DXMeshMaterial {
    D3DMATERIAL9 material;
    IDirect3DTexture9* texture = nullptr; // owned; null when the subset has none
};

class DXMesh {
public:
    DXMesh() = default;
    ~DXMesh();
    DXMesh(const DXMesh&) = delete;
    DXMesh& operator=(const DXMesh&) = delete;

    // Creates the mesh from the entry (e.g. "Data\floor.x") and takes its materials, with their
    // textures from textureFolder when loadTextures is set; a texture that does not load is
    // reported in a message box. Throws FrameworkEx when the entry is missing or no valid mesh.
    // A mesh loaded before is released first; the bound effect stays.
    void LoadX(const std::string& name, bool loadTextures);
    // Loads an effect that the mesh owns; throws FrameworkEx when one is bound already.
    void LoadEffect(const std::string& name, ID3DXEffectPool* pool);
    // Binds the caller's effect, which the mesh then owns and deletes; throws when one is bound.
    void SetEffect(DXEffect* owned);
    // Every subset in order, once per pass of techniqueName when an effect is bound. Throws
    // FrameworkEx when no mesh is loaded.
    void Draw();
    // The vertices (position, normal, texture coordinates; 32 bytes each), locked with flags 0;
    // UnlockVertices ends the lock. Locking without a mesh throws FrameworkEx.
    void* LockVertices();
    void UnlockVertices();
    // Deletes the effect and releases the mesh and the textures.
    void Release();

    ID3DXMesh* Mesh() const { return mesh; }
    DXEffect* Effect() const { return effect; }
    std::uint32_t MaterialCount() const { return materialCount; }
    const std::vector<DXMeshMaterial>& Materials() const { return materials; }

    std::string techniqueName = "Default";
    std::string textureFolder = "Data\\";

private:
    void ReleaseMeshAndTextures();
    // The texture the material names, or null (with a message box) when it does not load.
    IDirect3DTexture9* LoadTexture(const char* fileName) const;
    void DrawSubsets();

    ID3DXMesh* mesh = nullptr;
    std::vector<DXMeshMaterial> materials;
    std::uint32_t materialCount = 0;
    DXEffect* effect = nullptr;
};
