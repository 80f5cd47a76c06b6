// A framework with its window and device, made as the program makes them, for tests that draw.
#pragma once

#include "Framework/DXFramework.h"
#include "Platform/D3D9/D3D9TestSeam.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

class DeviceFixture : public ::testing::Test {
protected:
    void TearDown() override {
        CloseFramework();
        D3D9TestSeam::Clear();
    }

    // Constructs the framework with the "--nosetup" defaults, then applies the settings.
    void OpenFramework(const FrameworkSettings& settings = FrameworkSettings{}) {
        framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
        framework->settings = settings;
        framework->OpenWindow();
        framework->CreateDevice();
        ASSERT_EQ(g_pd3dDevice->GetRenderTarget(0, &framework->backBufferSurface), D3D_OK);
        framework->LoadDeviceResources();
    }

    void CloseFramework() {
        if (!framework) return;
        framework->ReleaseDeviceObjects();
        if (framework->window) {
            framework->destroying = true;
            DestroyWindow(framework->window);
            framework->window = nullptr;
        }
        framework.reset();
    }

    // The pixels of a render target, 0xAARRGGBB, row 0 at the top.
    static std::vector<std::uint32_t> ReadPixels(IDirect3DSurface9* target) {
        D3DSURFACE_DESC desc{};
        target->GetDesc(&desc);
        IDirect3DSurface9* copy = nullptr;
        EXPECT_EQ(g_pd3dDevice->CreateOffscreenPlainSurface(
                      desc.Width, desc.Height, D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &copy, nullptr),
                  D3D_OK);
        EXPECT_EQ(g_pd3dDevice->GetRenderTargetData(target, copy), D3D_OK);
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(copy->LockRect(&locked, nullptr, D3DLOCK_READONLY), D3D_OK);
        std::vector<std::uint32_t> pixels(static_cast<size_t>(desc.Width) * desc.Height);
        for (UINT y = 0; y < desc.Height; ++y) {
            const auto* row = static_cast<const std::uint8_t*>(locked.pBits) + y * locked.Pitch;
            for (UINT x = 0; x < desc.Width; ++x) {
                const std::uint8_t* p = row + x * 4;
                pixels[y * desc.Width + x] = D3DCOLOR_ARGB(p[3], p[2], p[1], p[0]);
            }
        }
        copy->UnlockRect();
        copy->Release();
        return pixels;
    }

    std::unique_ptr<DXFramework> framework;
};
