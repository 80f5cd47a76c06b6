#include "Platform/D3DX9/D3DXSurface.h"

#include <stb_image_write.h>

#include <cstdint>
#include <vector>

namespace {

// Copies the surface into a system-memory surface of its size through its device.
HRESULT ReadBack(IDirect3DSurface9* source, const D3DSURFACE_DESC& desc, IDirect3DSurface9** copy) {
    IDirect3DDevice9* device = nullptr;
    HRESULT result = source->GetDevice(&device);
    if (FAILED(result)) return result;
    result = device->CreateOffscreenPlainSurface(desc.Width, desc.Height, D3DFMT_A8R8G8B8,
                                                 D3DPOOL_SYSTEMMEM, copy, nullptr);
    if (SUCCEEDED(result)) result = device->GetRenderTargetData(source, *copy);
    device->Release();
    return result;
}

} // namespace

HRESULT D3DXSaveSurfaceToFile(const char* destFile, D3DXIMAGE_FILEFORMAT format,
                              IDirect3DSurface9* srcSurface, const void*, const RECT* srcRect) {
    if (destFile == nullptr || srcSurface == nullptr || format != D3DXIFF_PNG)
        return D3DERR_INVALIDCALL;
    D3DSURFACE_DESC desc{};
    srcSurface->GetDesc(&desc);
    const RECT whole{0, 0, static_cast<LONG>(desc.Width), static_cast<LONG>(desc.Height)};
    const RECT rect = srcRect ? *srcRect : whole;
    if (rect.left < 0 || rect.top < 0 || rect.right > whole.right || rect.bottom > whole.bottom ||
        rect.left >= rect.right || rect.top >= rect.bottom)
        return D3DERR_INVALIDCALL;

    IDirect3DSurface9* copy = nullptr;
    HRESULT result = ReadBack(srcSurface, desc, &copy);
    if (FAILED(result)) {
        if (copy) copy->Release();
        return result;
    }
    D3DLOCKED_RECT locked{};
    result = copy->LockRect(&locked, &rect, D3DLOCK_READONLY);
    if (FAILED(result)) {
        copy->Release();
        return result;
    }
    // B, G, R, A in memory becomes R, G, B for the file.
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    std::vector<std::uint8_t> rgb(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(locked.pBits) + y * locked.Pitch;
        for (int x = 0; x < width; ++x) {
            std::uint8_t* out = &rgb[(static_cast<size_t>(y) * width + x) * 3];
            out[0] = row[x * 4 + 2];
            out[1] = row[x * 4 + 1];
            out[2] = row[x * 4 + 0];
        }
    }
    copy->UnlockRect();
    copy->Release();
    return stbi_write_png(destFile, width, height, 3, rgb.data(), width * 3) ? D3D_OK : E_FAIL;
}
