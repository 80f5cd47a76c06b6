// Effect creation: the text with its includes, parsed, its passes linked, every fault given back
// as the compiler's error text.
#include "Platform/D3DX9/D3DXEffect.h"

#include "Platform/D3DX9/Effect.h"
#include "Platform/D3DX9/EffectParser.h"
#include "Platform/D3DX9/IncludeAdapter.h"

#include <cstring>
#include <string>

namespace {

// The name messages give to the effect's own text.
constexpr const char* kEffectFileName = "effect";

// The text zero-terminated, as a compiler's error buffer holds it.
ID3DXBuffer* ErrorBuffer(const std::string& text) {
    ID3DXBuffer* buffer = nullptr;
    D3DXCreateBuffer(static_cast<DWORD>(text.size() + 1), &buffer);
    std::memcpy(buffer->GetBufferPointer(), text.c_str(), text.size() + 1);
    return buffer;
}

} // namespace

HRESULT D3DXCreateEffect(IDirect3DDevice9* device, const void* data, UINT dataLength,
                         const D3DXMACRO* defines, ID3DXInclude* include, DWORD,
                         ID3DXEffectPool* pool, ID3DXEffect** effect,
                         ID3DXBuffer** compilationErrors) {
    if (compilationErrors != nullptr) *compilationErrors = nullptr;
    if (effect == nullptr) return D3DERR_INVALIDCALL;
    *effect = nullptr;
    // The format has no preprocessor beyond #include, so no definition can be honoured.
    if (device == nullptr || (data == nullptr && dataLength != 0) ||
        (defines != nullptr && defines->Name != nullptr))
        return D3DERR_INVALIDCALL;

    // Text stored with its terminating zero ends there.
    const auto* bytes = static_cast<const char*>(data);
    const std::string text(bytes, dataLength != 0 ? strnlen(bytes, dataLength) : 0);
    IncludeAdapter includes(include);
    try {
        const EffectSource source(kEffectFileName, text, &includes);
        *effect = new Effect(device, EffectParser(source).Parse(), static_cast<EffectPool*>(pool));
        return D3D_OK;
    } catch (const EffectError& error) {
        if (compilationErrors != nullptr) *compilationErrors = ErrorBuffer(error.what());
        return FAILED(includes.Failure()) ? includes.Failure() : D3DXERR_INVALIDDATA;
    }
}
