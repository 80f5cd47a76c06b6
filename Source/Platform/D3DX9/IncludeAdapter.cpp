#include "Platform/D3DX9/IncludeAdapter.h"

std::optional<std::string> IncludeAdapter::Open(const std::string& name) {
    if (include == nullptr) {
        failure = E_FAIL;
        return std::nullopt;
    }
    const void* data = nullptr;
    UINT bytes = 0;
    const HRESULT result = include->Open(D3DXINC_LOCAL, name.c_str(), nullptr, &data, &bytes);
    if (FAILED(result)) {
        failure = result;
        return std::nullopt;
    }
    std::string text(static_cast<const char*>(data), bytes);
    include->Close(data);
    return text;
}
