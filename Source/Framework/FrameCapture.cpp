#include "Framework/FrameCapture.h"

#include "Framework/FrameworkEx.h"
#include "Platform/D3DX9/D3DXSurface.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

FrameCapture::FrameCapture(std::string captureDirectory) : directory(std::move(captureDirectory)) {
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    if (error)
        throw FrameworkEx("[FrameCapture]: Could not create the directory \"" + directory +
                          "\": " + error.message());
}

void FrameCapture::Save(IDirect3DSurface9* backBuffer, const FrameworkSettings& settings) {
    char name[32];
    std::snprintf(name, sizeof(name), "frame_%05u.png", frame);
    const std::string path = (std::filesystem::path(directory) / name).string();
    const auto top = static_cast<LONG>((settings.screenHeight - settings.pictureHeight) >> 1);
    const RECT picture{0, top, static_cast<LONG>(settings.pictureWidth),
                       top + static_cast<LONG>(settings.pictureHeight)};
    if (FAILED(D3DXSaveSurfaceToFile(path.c_str(), D3DXIFF_PNG, backBuffer, nullptr, &picture)))
        throw FrameworkEx("[FrameCapture::Save]: Could not write \"" + path + "\"");
    ++frame;
}
