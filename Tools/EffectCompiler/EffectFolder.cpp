#include "EffectCompiler/EffectFolder.h"

#include "Framework/DXFramework.h"
#include "Platform/D3DX9/D3DXEffect.h"

#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) throw std::runtime_error("cannot read " + path.string());
    return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteText(const fs::path& path, const std::string& text) {
    fs::create_directories(path.parent_path());
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (!file) throw std::runtime_error("cannot write " + path.string());
}

class FolderInclude final : public ID3DXInclude {
public:
    explicit FolderInclude(const std::map<std::string, std::string>& includeFiles)
        : files(includeFiles) {}
    HRESULT Open(D3DXINCLUDE_TYPE, const char* fileName, const void*, const void** data,
                 UINT* bytes) override {
        const auto found = files.find(fileName);
        if (found == files.end()) return E_FAIL;
        *data = found->second.data();
        *bytes = static_cast<UINT>(found->second.size());
        return S_OK;
    }
    HRESULT Close(const void*) override { return S_OK; }

private:
    const std::map<std::string, std::string>& files;
};

} // namespace

EffectFolder::EffectFolder(const fs::path& folder) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".fx")
            effects[name] = ReadText(entry.path());
        else if (entry.path().extension() == ".fxh")
            includes[name] = ReadText(entry.path());
    }
}

std::optional<std::string> EffectFolder::Compile() const {
    ID3DXEffectPool* pool = nullptr;
    D3DXCreateEffectPool(&pool);
    std::optional<std::string> fault;
    std::vector<ID3DXEffect*> compiled; // alive together, so that the pool holds every effect's
    for (const auto& [name, text] : effects) {
        FolderInclude folderIncludes(includes);
        ID3DXEffect* effect = nullptr;
        ID3DXBuffer* errors = nullptr;
        // Compiled with the pool, as the program loads most effects: a shared parameter
        // declared differently by two effects is a fault.
        const HRESULT result =
            D3DXCreateEffect(g_pd3dDevice, text.data(), static_cast<UINT>(text.size()), nullptr,
                             &folderIncludes, 0, pool, &effect, &errors);
        if (SUCCEEDED(result)) {
            compiled.push_back(effect);
            continue;
        }
        std::string message = errors != nullptr
                                  ? static_cast<const char*>(errors->GetBufferPointer())
                                  : name + ": error: the effect could not be created";
        if (errors != nullptr) errors->Release();
        // The compiler calls the effect's own text "effect".
        if (message.starts_with("effect(")) message = name + message.substr(6);
        fault = message;
        break;
    }
    for (ID3DXEffect* effect : compiled)
        effect->Release();
    pool->Release();
    return fault;
}

void EffectFolder::Write(const fs::path& output) const {
    fs::remove_all(output / "OShaders");
    fs::remove_all(output / "Shaders");
    for (const auto& [name, text] : effects)
        WriteText(output / "OShaders" / (name + "o"), text);
    for (const auto& [name, text] : includes)
        WriteText(output / "Shaders" / name, text);
}
