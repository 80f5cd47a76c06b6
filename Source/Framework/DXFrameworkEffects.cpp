// Effects from the data file: the compiled effect "OShaders\<name>o" and its includes under
// "Shaders\".
#include "Framework/DXFramework.h"

#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"

#include <vector>

namespace {

// Answers the compiler's include requests with data-file entries, which it frees on Close.
class DataFileInclude final : public ID3DXInclude {
public:
    HRESULT Open(D3DXINCLUDE_TYPE, const char* fileName, const void*, const void** data,
                 UINT* bytes) override {
        const std::string entry = std::string("Shaders\\") + fileName;
        const FileSys* files = FileSys::Instance();
        const std::uint32_t size = files->GetFileSize(entry.c_str());
        if (size == 0) return E_FAIL;
        auto* buffer = new unsigned char[size];
        if (files->ReadFile(entry.c_str(), buffer) == 0) {
            delete[] buffer;
            return E_FAIL;
        }
        *data = buffer;
        *bytes = size;
        return S_OK;
    }
    HRESULT Close(const void* data) override {
        delete[] static_cast<const unsigned char*>(data);
        return S_OK;
    }
};

} // namespace

HRESULT DXFramework::CreateEffectFromFile(const std::string& name, ID3DXEffectPool* pool,
                                          ID3DXEffect** effect, ID3DXBuffer** errors) {
    const std::string entry = "OShaders\\" + name + "o";
    const FileSys* files = FileSys::Instance();
    std::vector<unsigned char> bytes(files->GetFileSize(entry.c_str()));
    if (bytes.empty() || files->ReadFile(entry.c_str(), bytes.data()) == 0)
        throw FrameworkEx("[DXFramework::CreateEffectFromFile]: can't find file" + entry);
    DataFileInclude includes;
    return D3DXCreateEffect(g_pd3dDevice, bytes.data(), static_cast<UINT>(bytes.size()), nullptr,
                            &includes, 0, pool, effect, errors);
}
