// 2D and cube textures, render surfaces and StretchRect of the device layer, and its render and
// sampler state tables.
#include "DeviceFixture.h"

#include <bit>
#include <cstdint>
#include <cstring>

namespace {

class TextureTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }

    static IDirect3DTexture9* CreateTexture(UINT width, UINT height, UINT levels, DWORD usage,
                                            D3DFORMAT format, D3DPOOL pool) {
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(g_pd3dDevice->CreateTexture(width, height, levels, usage, format, pool, &texture,
                                              nullptr),
                  D3D_OK);
        return texture;
    }

    static IDirect3DTexture9* CreateTarget(UINT width, UINT height) {
        return CreateTexture(width, height, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
                             D3DPOOL_DEFAULT);
    }

    static void ClearRect(IDirect3DSurface9* target, LONG x1, LONG y1, LONG x2, LONG y2,
                          D3DCOLOR colour) {
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target), D3D_OK);
        const D3DRECT rect{x1, y1, x2, y2};
        ASSERT_EQ(g_pd3dDevice->Clear(1, &rect, D3DCLEAR_TARGET, colour, 1.0f, 0), D3D_OK);
    }

    static IDirect3DSurface9* Level0(IDirect3DTexture9* texture) {
        IDirect3DSurface9* surface = nullptr;
        EXPECT_EQ(texture->GetSurfaceLevel(0, &surface), D3D_OK);
        return surface;
    }
};

TEST_F(TextureTest, EveryFormatMakesTexturesWithTheirMipChains) {
    const D3DFORMAT formats[] = {D3DFMT_A8R8G8B8, D3DFMT_X8R8G8B8,     D3DFMT_L8,
                                 D3DFMT_A8,       D3DFMT_G16R16,       D3DFMT_A16B16G16R16,
                                 D3DFMT_R32F,     D3DFMT_G32R32F,      D3DFMT_A32B32G32R32F,
                                 D3DFMT_R16F,     D3DFMT_A16B16G16R16F};
    for (const D3DFORMAT format : formats) {
        SCOPED_TRACE(format);
        IDirect3DTexture9* texture = CreateTexture(16, 4, 0, 0, format, D3DPOOL_MANAGED);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetLevelCount(), 5u); // 16x4, 8x2, 4x1, 2x1, 1x1
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(3, &desc), D3D_OK);
        EXPECT_EQ(desc.Format, format);
        EXPECT_EQ(desc.Width, 2u);
        EXPECT_EQ(desc.Height, 1u);
        texture->Release();

        IDirect3DTexture9* target =
            CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, format, D3DPOOL_DEFAULT);
        ASSERT_NE(target, nullptr);
        EXPECT_EQ(target->GetLevelCount(), 1u);
        target->Release();
    }
}

TEST_F(TextureTest, InvalidCreationsAreRefused) {
    struct Case {
        const char* what;
        UINT width, height, levels;
        DWORD usage;
        D3DFORMAT format;
        D3DPOOL pool;
    };
    const Case cases[] = {
        {"zero width", 0, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED},
        {"more levels than the chain", 4, 4, 4, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED},
        {"unknown format", 4, 4, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED},
        {"depth usage", 4, 4, 1, D3DUSAGE_DEPTHSTENCIL, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT},
        {"managed render target", 4, 4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED},
        {"render target with levels", 4, 4, 2, D3DUSAGE_RENDERTARGET, D3DFMT_A8R8G8B8,
         D3DPOOL_DEFAULT},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        IDirect3DTexture9* texture = nullptr;
        EXPECT_EQ(g_pd3dDevice->CreateTexture(c.width, c.height, c.levels, c.usage, c.format,
                                              c.pool, &texture, nullptr),
                  D3DERR_INVALIDCALL);
        IDirect3DCubeTexture9* cube = nullptr;
        EXPECT_EQ(g_pd3dDevice->CreateCubeTexture(c.width, c.levels, c.usage, c.format, c.pool,
                                                  &cube, nullptr),
                  D3DERR_INVALIDCALL);
        EXPECT_EQ(texture, nullptr);
        EXPECT_EQ(cube, nullptr);
    }
    IDirect3DSurface9* surface = nullptr;
    EXPECT_EQ(g_pd3dDevice->CreateRenderTarget(4, 4, D3DFMT_R5G6B5, D3DMULTISAMPLE_NONE, 0, FALSE,
                                               &surface, nullptr),
              D3DERR_INVALIDCALL);

    for (const char* operation : {"CreateTexture", "CreateCubeTexture", "CreateRenderTarget"})
        D3D9TestSeam::InjectResult(operation, D3DERR_OUTOFVIDEOMEMORY);
    IDirect3DTexture9* texture = nullptr;
    IDirect3DCubeTexture9* cube = nullptr;
    EXPECT_EQ(g_pd3dDevice->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                          nullptr),
              D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(
        g_pd3dDevice->CreateCubeTexture(4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &cube, nullptr),
        D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(g_pd3dDevice->CreateRenderTarget(4, 4, D3DFMT_X8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE,
                                               &surface, nullptr),
              D3DERR_OUTOFVIDEOMEMORY);
}

TEST_F(TextureTest, LocksFollowThePoolAndTheRectangle) {
    IDirect3DTexture9* managed = CreateTexture(8, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(managed->LockRect(0, &locked, nullptr, 0), D3D_OK);
    EXPECT_EQ(locked.Pitch, 32);
    EXPECT_EQ(managed->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL); // already locked
    EXPECT_EQ(managed->UnlockRect(0), D3D_OK);
    EXPECT_EQ(managed->UnlockRect(0), D3DERR_INVALIDCALL);
    const RECT outside{0, 0, 9, 4};
    EXPECT_EQ(managed->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
    const RECT inside{2, 1, 4, 3};
    ASSERT_EQ(managed->LockRect(0, &locked, &inside, 0), D3D_OK);
    EXPECT_EQ(managed->UnlockRect(0), D3D_OK);
    managed->Release();

    IDirect3DTexture9* fixed = CreateTexture(8, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT);
    EXPECT_EQ(fixed->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);
    fixed->Release();
    IDirect3DTexture9* dynamic =
        CreateTexture(8, 4, 1, D3DUSAGE_DYNAMIC, D3DFMT_R32F, D3DPOOL_DEFAULT);
    ASSERT_EQ(dynamic->LockRect(0, &locked, nullptr, D3DLOCK_DISCARD), D3D_OK);
    EXPECT_EQ(locked.Pitch, 32);
    EXPECT_EQ(dynamic->UnlockRect(0), D3D_OK);
    dynamic->Release();
}

TEST_F(TextureTest, APictureClearedIntoATargetAndBlittedIsUpright) {
    IDirect3DTexture9* texture = CreateTarget(64, 32);
    IDirect3DSurface9* target = Level0(texture);
    ClearRect(target, 0, 0, 64, 32, 0xFF0000FF);
    ClearRect(target, 0, 0, 64, 8, 0xFFFF0000);   // the top quarter red
    ClearRect(target, 0, 24, 16, 32, 0xFF00FF00); // bottom-left corner green

    IDirect3DSurface9* back = framework->backBufferSurface;
    const RECT destination{0, 0, 128, 64};
    ASSERT_EQ(g_pd3dDevice->StretchRect(target, nullptr, back, &destination, D3DTEXF_POINT),
              D3D_OK);
    const std::vector<std::uint32_t> pixels = ReadPixels(back);
    D3DSURFACE_DESC desc{};
    back->GetDesc(&desc);
    auto at = [&](int x, int y) { return pixels[static_cast<std::size_t>(y) * desc.Width + x]; };
    EXPECT_EQ(at(64, 4), 0xFFFF0000u);
    EXPECT_EQ(at(64, 32), 0xFF0000FFu);
    EXPECT_EQ(at(4, 60), 0xFF00FF00u);
    EXPECT_EQ(at(120, 60), 0xFF0000FFu);
    target->Release();
    texture->Release();
}

TEST_F(TextureTest, StretchRectFiltersAndChecksItsRectangles) {
    IDirect3DTexture9* sourceTexture = CreateTarget(2, 1);
    IDirect3DSurface9* source = Level0(sourceTexture);
    ClearRect(source, 0, 0, 1, 1, 0xFF000000);
    ClearRect(source, 1, 0, 2, 1, 0xFFFFFFFF);
    IDirect3DSurface9* dest = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateRenderTarget(8, 1, D3DFMT_A8R8G8B8, D3DMULTISAMPLE_NONE, 0, FALSE,
                                               &dest, nullptr),
              D3D_OK);

    ASSERT_EQ(g_pd3dDevice->StretchRect(source, nullptr, dest, nullptr, D3DTEXF_POINT), D3D_OK);
    std::vector<std::uint32_t> point = ReadPixels(dest);
    EXPECT_EQ(point[3], 0xFF000000u);
    EXPECT_EQ(point[4], 0xFFFFFFFFu);

    ASSERT_EQ(g_pd3dDevice->StretchRect(source, nullptr, dest, nullptr, D3DTEXF_LINEAR), D3D_OK);
    std::vector<std::uint32_t> linear = ReadPixels(dest);
    const std::uint32_t grey = (linear[3] >> 8) & 0xFF;
    EXPECT_GT(grey, 0x20u);
    EXPECT_LT(grey, 0x80u);

    const RECT outside{0, 0, 3, 1};
    EXPECT_EQ(g_pd3dDevice->StretchRect(source, &outside, dest, nullptr, D3DTEXF_POINT),
              D3DERR_INVALIDCALL);
    const RECT empty{1, 0, 1, 1};
    EXPECT_EQ(g_pd3dDevice->StretchRect(source, nullptr, dest, &empty, D3DTEXF_POINT),
              D3DERR_INVALIDCALL);
    EXPECT_EQ(g_pd3dDevice->StretchRect(source, nullptr, dest, nullptr, D3DTEXF_ANISOTROPIC),
              D3DERR_INVALIDCALL);
    dest->Release();
    source->Release();
    sourceTexture->Release();
}

TEST_F(TextureTest, CubeFacesAreSeparateTargets) {
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateCubeTexture(8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8,
                                              D3DPOOL_DEFAULT, &cube, nullptr),
              D3D_OK);
    IDirect3DSurface9* faces[6] = {};
    for (int face = 0; face < 6; ++face) {
        ASSERT_EQ(cube->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(face), 0, &faces[face]),
                  D3D_OK);
        ClearRect(faces[face], 0, 0, 8, 8, D3DCOLOR_ARGB(255, 40 * face, 0, 0));
    }
    IDirect3DSurface9* unused = nullptr;
    EXPECT_EQ(cube->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(6), 0, &unused),
              D3DERR_INVALIDCALL);
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(ReadPixels(faces[face])[0] & 0x00FFFFFF, static_cast<std::uint32_t>(40 * face)
                                                               << 16);
        faces[face]->Release();
    }
    cube->Release();
}

TEST_F(TextureTest, ALevelSurfaceKeepsItsTextureAlive) {
    IDirect3DTexture9* texture = CreateTarget(4, 4);
    IDirect3DSurface9* surface = Level0(texture);
    EXPECT_EQ(texture->Release(), 1u); // the surface still holds it
    ClearRect(surface, 0, 0, 4, 4, 0xFF123456);
    EXPECT_EQ(ReadPixels(surface)[5], 0xFF123456u);
    ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface), D3D_OK);
    surface->Release();
}

TEST_F(TextureTest, BoundTexturesAreCountedAndReturned) {
    IDirect3DTexture9* texture = CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED);
    ASSERT_EQ(g_pd3dDevice->SetTexture(3, texture), D3D_OK);
    EXPECT_EQ(texture->AddRef(), 3u); // ours, the device's, this one
    texture->Release();
    IDirect3DBaseTexture9* bound = nullptr;
    ASSERT_EQ(g_pd3dDevice->GetTexture(3, &bound), D3D_OK);
    EXPECT_EQ(bound, texture);
    bound->Release();
    EXPECT_EQ(g_pd3dDevice->SetTexture(16, texture), D3DERR_INVALIDCALL);
    ASSERT_EQ(g_pd3dDevice->SetTexture(3, nullptr), D3D_OK);
    EXPECT_EQ(texture->Release(), 0u);
}

TEST_F(TextureTest, StatesStartAtDirect3DsDefaultsAndAResetRestoresThem) {
    struct Default {
        D3DRENDERSTATETYPE state;
        DWORD value;
    };
    const Default defaults[] = {
        {D3DRS_ZENABLE, D3DZB_FALSE},
        {D3DRS_ZWRITEENABLE, TRUE},
        {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
        {D3DRS_CULLMODE, D3DCULL_CCW},
        {D3DRS_ALPHABLENDENABLE, FALSE},
        {D3DRS_SRCBLEND, D3DBLEND_ONE},
        {D3DRS_DESTBLEND, D3DBLEND_ZERO},
        {D3DRS_COLORWRITEENABLE, 0xF},
        {D3DRS_STENCILMASK, 0xFFFFFFFF},
        {D3DRS_ALPHAFUNC, D3DCMP_ALWAYS},
        {D3DRS_POINTSIZE, std::bit_cast<DWORD>(1.0f)},
    };
    for (const Default& entry : defaults) {
        DWORD value = 0;
        ASSERT_EQ(g_pd3dDevice->GetRenderState(entry.state, &value), D3D_OK);
        EXPECT_EQ(value, entry.value) << "state " << entry.state;
        ASSERT_EQ(g_pd3dDevice->SetRenderState(entry.state, entry.value + 1), D3D_OK);
    }
    DWORD filter = 0;
    ASSERT_EQ(g_pd3dDevice->GetSamplerState(0, D3DSAMP_MINFILTER, &filter), D3D_OK);
    EXPECT_EQ(filter, static_cast<DWORD>(D3DTEXF_POINT));
    ASSERT_EQ(g_pd3dDevice->SetSamplerState(0, D3DSAMP_MINFILTER, D3DTEXF_LINEAR), D3D_OK);
    EXPECT_EQ(g_pd3dDevice->SetSamplerState(16, D3DSAMP_MINFILTER, D3DTEXF_LINEAR),
              D3DERR_INVALIDCALL);

    framework->ResetDevice();
    for (const Default& entry : defaults) {
        DWORD value = 0;
        g_pd3dDevice->GetRenderState(entry.state, &value);
        EXPECT_EQ(value, entry.value) << "state " << entry.state;
    }
    g_pd3dDevice->GetSamplerState(0, D3DSAMP_MINFILTER, &filter);
    EXPECT_EQ(filter, static_cast<DWORD>(D3DTEXF_POINT));
}

} // namespace
