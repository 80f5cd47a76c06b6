#include "Framework/DXEffect.h"

#include "Framework/DXEffectTestSeam.h"
#include "Framework/DXFramework.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/GuardedCall.h"
#include "Framework/SceneHandler.h"
#include "Platform/D3DX9/D3DXTexture.h"
#include "Platform/Win32/Windows.h"

#include <string>
#include <vector>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\DXEffect";
constexpr std::size_t kErrorBufferSize = 4096;
constexpr int kTextureSemantics = 32; // TEXTURE0 to TEXTURE31

// Holds an error buffer until the end of the scope.
class BufferHolder {
public:
    ~BufferHolder() { Reset(nullptr); }
    void Reset(ID3DXBuffer* replacement) {
        if (buffer != nullptr) buffer->Release();
        buffer = replacement;
    }
    ID3DXBuffer** Out() { return &buffer; }
    ID3DXBuffer* Get() const { return buffer; }

private:
    ID3DXBuffer* buffer = nullptr;
};

// Reads the entry and hands its bytes to `create`; an entry that reads as nothing gives
// D3DERR_INVALIDCALL.
template <class Create>
HRESULT CreateFromEntry(const std::string& entry, Create create) {
    const FileSys* files = FileSys::Instance();
    const std::uint32_t size = files->GetFileSize(entry.c_str());
    std::vector<unsigned char> bytes(size);
    if (size == 0 || files->ReadFile(entry.c_str(), bytes.data()) == 0) return D3DERR_INVALIDCALL;
    return create(bytes.data(), size);
}

// The annotation's string, or the fallback when the parameter has no such string.
std::string AnnotationText(ID3DXEffect* effect, D3DXHANDLE parameter, const char* name,
                           const char* fallback) {
    const char* text = nullptr;
    const D3DXHANDLE annotation = effect->GetAnnotationByName(parameter, name);
    if (annotation == nullptr || FAILED(effect->GetString(annotation, &text))) return fallback;
    return text;
}

} // namespace

DXEffect::~DXEffect() {
    Release();
}

void DXEffect::LoadEffect(const std::string& name, ID3DXEffectPool* effectPool) {
    if (name.empty()) throw FrameworkEx("Empty filename supplied to DXEffect::LoadEffect");
    if (effect != nullptr) {
        // The textures of the first load would otherwise be lost with their handles.
        ReleaseTextures();
        effect->Release();
        effect = nullptr;
    }
    // The cached handles belong to the effect they came from.
    handleCache.clear();

    // The prepared buffer gives an error text, empty, even when the compiler reports none; a
    // buffer the compiler hands back replaces it.
    BufferHolder errors;
    GUARDED(D3DXCreateBuffer(kErrorBufferSize, errors.Out()));
    pool = effectPool;
    ID3DXBuffer* compilerErrors = nullptr;
    const HRESULT result = DXFramework::CreateEffectFromFile(name, pool, &effect, &compilerErrors);
    if (compilerErrors != nullptr) errors.Reset(compilerErrors);
    if (FAILED(result)) {
        effect = nullptr;
        const char* text = errors.Get() != nullptr
                               ? static_cast<const char*>(errors.Get()->GetBufferPointer())
                               : "";
        throw FrameworkEx("Could not Create effect from: " + name + "\n\n" + text);
    }

    LoadAnnotatedTextures();
    localHandle = effect->GetParameterBySemantic(nullptr, "LOCAL");
    localViewHandle = effect->GetParameterBySemantic(nullptr, "LOCALVIEW");
    localViewProjHandle = effect->GetParameterBySemantic(nullptr, "LOCALVIEWPROJ");
    diffuseHandle = effect->GetParameterBySemantic(nullptr, "DIFFUSE");
    ambientHandle = effect->GetParameterBySemantic(nullptr, "AMBIENT");
    specularHandle = effect->GetParameterBySemantic(nullptr, "SPECULAR");
    specularPowHandle = effect->GetParameterBySemantic(nullptr, "SPECULARPOW");
    matTexHandle = effect->GetParameterBySemantic(nullptr, "MATTEX");
    errors.Reset(nullptr);
    for (const D3DXHANDLE handle : textureHandles)
        effect->SetTexture(handle, LoadedTexture(handle));
    effect->SetTechnique(techniqueName.c_str());
    loaded = true;
}

void DXEffect::LoadAnnotatedTextures() {
    textureHandles.clear();
    for (int index = 0; index < kTextureSemantics; ++index) {
        const std::string semantic = "TEXTURE" + std::to_string(index);
        const D3DXHANDLE handle = effect->GetParameterBySemantic(nullptr, semantic.c_str());
        if (handle == nullptr) continue;
        if (IDirect3DBaseTexture9* texture = LoadAnnotatedTexture(handle))
            textures[handle] = texture;
        textureHandles.push_back(handle);
    }
}

IDirect3DBaseTexture9* DXEffect::LoadAnnotatedTexture(D3DXHANDLE parameter) {
    const char* resourceName = nullptr;
    const D3DXHANDLE resource = effect->GetAnnotationByName(parameter, "ResourceName");
    if (resource == nullptr || FAILED(effect->GetString(resource, &resourceName))) return nullptr;
    const std::string type = AnnotationText(effect, parameter, "Type", "2D");
    const std::string entry = textureFolder + resourceName;

    HRESULT result = D3D_OK;
    IDirect3DBaseTexture9* loadedTexture = nullptr;
    if (type == "2D") {
        const bool unfiltered = AnnotationText(effect, parameter, "Filter", "LINEAR") == "NONE";
        const DWORD filter = unfiltered ? D3DX_FILTER_NONE : D3DX_FILTER_LINEAR;
        const DWORD mipFilter = unfiltered ? D3DX_FILTER_NONE : D3DX_FILTER_DITHER_DIFFUSION;
        DXEffectTestSeam::Record({entry, false, filter, mipFilter});
        IDirect3DTexture9* texture = nullptr;
        result = CreateFromEntry(entry, [&](const void* bytes, std::uint32_t size) {
            return D3DXCreateTextureFromFileInMemoryEx(
                g_pd3dDevice, bytes, size, D3DX_DEFAULT, D3DX_DEFAULT, 0, 0, D3DFMT_FROM_FILE,
                D3DPOOL_MANAGED, filter, mipFilter, 0, nullptr, nullptr, &texture);
        });
        loadedTexture = texture;
    } else if (type == "CUBE") {
        DXEffectTestSeam::Record({entry, true, 0, 0});
        IDirect3DCubeTexture9* texture = nullptr;
        result = CreateFromEntry(entry, [&](const void* bytes, std::uint32_t size) {
            return D3DXCreateCubeTextureFromFileInMemory(g_pd3dDevice, bytes, size, &texture);
        });
        loadedTexture = texture;
    }
    if (FAILED(result)) {
        MessageBox(nullptr, resourceName, "Couldnt read file", MB_OK);
        if (loadedTexture != nullptr) loadedTexture->Release();
        return nullptr;
    }
    return loadedTexture;
}

void DXEffect::SetTechnique(const std::string& name) {
    techniqueName = name;
    if (effect != nullptr) effect->SetTechnique(techniqueName.c_str());
}

D3DXHANDLE DXEffect::GetHandle(const std::string& semantic) {
    const auto cached = handleCache.find(semantic);
    if (cached != handleCache.end()) return cached->second;
    if (effect == nullptr) return nullptr;
    const D3DXHANDLE handle = effect->GetParameterBySemantic(nullptr, semantic.c_str());
    handleCache.emplace(semantic, handle);
    return handle;
}

IDirect3DBaseTexture9* DXEffect::LoadedTexture(D3DXHANDLE handle) const {
    const auto found = textures.find(handle);
    return found == textures.end() ? nullptr : found->second;
}

void DXEffect::SetLocalMatrix(const D3DXMATRIX& world) {
    if (effect == nullptr) return;
    if (localHandle != nullptr) effect->SetMatrix(localHandle, &world);
    const Scene* scene = SceneHandler::CurrentScene();
    if (scene == nullptr) return;
    D3DXMATRIX product;
    if (localViewHandle != nullptr) {
        D3DXMatrixMultiply(&product, &world, &scene->Shared().view);
        effect->SetMatrix(localViewHandle, &product);
    }
    if (localViewProjHandle != nullptr) {
        D3DXMatrixMultiply(&product, &world, &scene->Shared().viewProjection);
        effect->SetMatrix(localViewProjHandle, &product);
    }
}

void DXEffect::ReleaseTextures() {
    for (const D3DXHANDLE handle : textureHandles) {
        const auto found = textures.find(handle);
        if (found == textures.end()) continue;
        if (found->second != nullptr) found->second->Release();
        textures.erase(found);
    }
    textureHandles.clear();
}

void DXEffect::Release() {
    ReleaseTextures();
    if (effect != nullptr) effect->Release();
    effect = nullptr;
}
