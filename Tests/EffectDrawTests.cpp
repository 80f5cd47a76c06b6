// Effects drawing through the device: a pass's blend and depth states, samplers with their
// textures and states, values committed inside a pass, the device state put back by End, and
// shared values that reach every effect of a pool. Pixels are read back from a render target.
#include "DeviceFixture.h"
#include "Platform/D3DX9/D3DXEffect.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Vertex {
    float x, y, z;
    float u, v;
};

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

const char* kEffect = R"(
float4 Tint : TINT = {1, 0, 0, 0.5};
shared float4 Shared : SHAREDTINT = {0, 0, 0, 1};
texture Grain : GRAIN;
sampler2D GrainS = sampler_state {
    Texture = <Grain>; MinFilter = Point; MagFilter = Point; AddressU = Clamp; AddressV = Clamp;
};

vertex VS(float3 pos : POSITION, float2 uv : TEXCOORD0, out float2 vUv : TEXCOORD0) {
    gl_Position = vec4(pos, 1.0);
    vUv = uv;
}
fragment Flat(out float4 c : COLOR0) { c = Tint; }
fragment Textured(float2 vUv : TEXCOORD0, out float4 c : COLOR0) { c = texture(GrainS, vUv); }
fragment FromPool(out float4 c : COLOR0) { c = Shared; }

technique Blend {
    pass P {
        AlphaBlendEnable = true; SrcBlend = SrcAlpha; DestBlend = InvSrcAlpha;
        ZEnable = true; ZFunc = Less; ZWriteEnable = true; CullMode = None;
        VertexShader = VS; PixelShader = Flat;
    }
}
technique Sample { pass P { CullMode = None; VertexShader = VS; PixelShader = Textured; } }
technique Pool { pass P { CullMode = None; VertexShader = VS; PixelShader = FromPool; } }
)";

// A rectangle in Direct3D clip coordinates (y = 1 at the top), texture v = 0 at its top.
std::vector<Vertex> Rectangle(float left, float top, float right, float bottom, float z = 0.5f) {
    const Vertex topLeft{left, top, z, 0, 0}, topRight{right, top, z, 1, 0};
    const Vertex bottomRight{right, bottom, z, 1, 1}, bottomLeft{left, bottom, z, 0, 1};
    return {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft};
}

class EffectDrawTest : public DeviceFixture {
protected:
    void SetUp() override {
        OpenFramework();
        ASSERT_EQ(g_pd3dDevice->CreateVertexDeclaration(kLayout, &declaration), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET,
                                              D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &targetTexture,
                                              nullptr),
                  D3D_OK);
        ASSERT_EQ(targetTexture->GetSurfaceLevel(0, &target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetDepthStencilSurface(framework->plainDepthSurface), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF0000FF,
                                      1.0f, 0),
                  D3D_OK);
    }

    void TearDown() override {
        for (ID3DXEffect* effect : effects)
            effect->Release();
        g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
        for (Unknown* object :
             std::initializer_list<Unknown*>{buffer, target, targetTexture, declaration})
            if (object) object->Release();
        DeviceFixture::TearDown();
    }

    ID3DXEffect* Create(ID3DXEffectPool* pool = nullptr) {
        ID3DXEffect* effect = nullptr;
        EXPECT_EQ(D3DXCreateEffect(g_pd3dDevice, kEffect, static_cast<UINT>(std::strlen(kEffect)),
                                   nullptr, nullptr, 0, pool, &effect, nullptr),
                  D3D_OK);
        if (effect != nullptr) effects.push_back(effect);
        return effect;
    }

    void Draw(const std::vector<Vertex>& vertices) {
        if (buffer) buffer->Release();
        const UINT bytes = static_cast<UINT>(vertices.size() * sizeof(Vertex));
        ASSERT_EQ(g_pd3dDevice->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT,
                                                   &buffer, nullptr),
                  D3D_OK);
        void* data = nullptr;
        ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
        std::memcpy(data, vertices.data(), bytes);
        ASSERT_EQ(buffer->Unlock(), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetVertexDeclaration(declaration), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetStreamSource(0, buffer, 0, sizeof(Vertex)), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0,
                                              static_cast<UINT>(vertices.size() / 3)),
                  D3D_OK);
    }

    // Runs the technique's one pass around the draws.
    template <class Draws>
    void RunPass(ID3DXEffect* effect, const char* technique, Draws draws) {
        ASSERT_EQ(effect->SetTechnique(technique), D3D_OK);
        UINT passes = 0;
        ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
        ASSERT_EQ(passes, 1u);
        ASSERT_EQ(effect->BeginPass(0), D3D_OK);
        draws();
        EXPECT_EQ(effect->EndPass(), D3D_OK);
        EXPECT_EQ(effect->End(), D3D_OK);
    }

    std::uint32_t Pixel(int x, int y) { return ReadPixels(target)[y * kSize + x]; }

    static DWORD RenderState(D3DRENDERSTATETYPE state) {
        DWORD value = 0;
        EXPECT_EQ(g_pd3dDevice->GetRenderState(state, &value), D3D_OK);
        return value;
    }

    static constexpr int kSize = 16;
    std::vector<ID3DXEffect*> effects;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DTexture9* targetTexture = nullptr;
    IDirect3DSurface9* target = nullptr;
    IDirect3DVertexBuffer9* buffer = nullptr;
};

TEST_F(EffectDrawTest, APassBlendsAndDepthTestsAndEndPutsTheStatesBack) {
    ID3DXEffect* effect = Create();
    ASSERT_NE(effect, nullptr);
    const D3DRENDERSTATETYPE touched[] = {D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND, D3DRS_DESTBLEND,
                                          D3DRS_ZENABLE,          D3DRS_ZFUNC,    D3DRS_CULLMODE};
    std::vector<DWORD> before;
    for (const D3DRENDERSTATETYPE state : touched)
        before.push_back(RenderState(state));
    RunPass(effect, "Blend", [&] {
        Draw(Rectangle(-1, 1, 1, -1, 0.5f)); // half-transparent red over the blue clear
        const D3DXVECTOR4 green(0, 1, 0, 1);
        ASSERT_EQ(effect->SetVector("Tint", &green), D3D_OK);
        ASSERT_EQ(effect->CommitChanges(), D3D_OK);
        Draw(Rectangle(-1, 1, 0, -1, 0.75f)); // behind: hidden
        Draw(Rectangle(0, 1, 1, -1, 0.25f));  // in front: drawn
    });
    const std::uint32_t mixed = Pixel(4, 8);
    EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 0x80, 2) << std::hex << mixed;
    EXPECT_NEAR(static_cast<int>((mixed >> 8) & 0xFF), 0x00, 2) << std::hex << mixed;
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 0x7F, 2) << std::hex << mixed;
    EXPECT_EQ(Pixel(12, 8), 0xFF00FF00u);

    for (std::size_t i = 0; i < std::size(touched); ++i)
        EXPECT_EQ(RenderState(touched[i]), before[i]) << "render state " << touched[i];
    EXPECT_EQ(RenderState(D3DRS_ALPHABLENDENABLE), static_cast<DWORD>(FALSE));
}

TEST_F(EffectDrawTest, SamplersGetTheirTextureAndStatesUntilEnd) {
    IDirect3DTexture9* grain = nullptr;
    ASSERT_EQ(
        g_pd3dDevice->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &grain, nullptr),
        D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(grain->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const std::uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
    for (int row = 0; row < 2; ++row)
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + row * locked.Pitch, texels + row * 2,
                    8);
    ASSERT_EQ(grain->UnlockRect(0), D3D_OK);

    IDirect3DTexture9* before = nullptr;
    ASSERT_EQ(
        g_pd3dDevice->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &before, nullptr),
        D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetTexture(0, before), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetSamplerState(0, D3DSAMP_MAGFILTER, D3DTEXF_LINEAR), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetSamplerState(0, D3DSAMP_ADDRESSU, D3DTADDRESS_MIRROR), D3D_OK);

    ID3DXEffect* effect = Create();
    ASSERT_NE(effect, nullptr);
    ASSERT_EQ(effect->SetTexture("Grain", grain), D3D_OK);
    RunPass(effect, "Sample", [&] {
        Draw(Rectangle(-1, 1, 1, -1));
        IDirect3DBaseTexture9* bound = nullptr;
        EXPECT_EQ(g_pd3dDevice->GetTexture(0, &bound), D3D_OK);
        EXPECT_EQ(bound, grain);
        if (bound) bound->Release();
    });
    EXPECT_EQ(Pixel(2, 2), texels[0]);
    EXPECT_EQ(Pixel(13, 2), texels[1]);
    EXPECT_EQ(Pixel(2, 13), texels[2]);
    EXPECT_EQ(Pixel(13, 13), texels[3]);

    IDirect3DBaseTexture9* restored = nullptr;
    EXPECT_EQ(g_pd3dDevice->GetTexture(0, &restored), D3D_OK);
    EXPECT_EQ(restored, before);
    if (restored) restored->Release();
    DWORD value = 0;
    EXPECT_EQ(g_pd3dDevice->GetSamplerState(0, D3DSAMP_MAGFILTER, &value), D3D_OK);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTEXF_LINEAR));
    EXPECT_EQ(g_pd3dDevice->GetSamplerState(0, D3DSAMP_ADDRESSU, &value), D3D_OK);
    EXPECT_EQ(value, static_cast<DWORD>(D3DTADDRESS_MIRROR));
    g_pd3dDevice->SetTexture(0, nullptr);
    before->Release();
    grain->Release();
}

TEST_F(EffectDrawTest, AValueSetThroughOnePooledEffectIsDrawnByAnother) {
    ID3DXEffectPool* pool = nullptr;
    ASSERT_EQ(D3DXCreateEffectPool(&pool), D3D_OK);
    ID3DXEffect* setter = Create(pool);
    ID3DXEffect* pooled = Create(pool);
    ID3DXEffect* alone = Create();
    ASSERT_TRUE(setter && pooled && alone);
    const D3DXVECTOR4 green(0, 1, 0, 1);
    ASSERT_EQ(setter->SetVector(setter->GetParameterBySemantic(nullptr, "SHAREDTINT"), &green),
              D3D_OK);

    RunPass(pooled, "Pool", [&] { Draw(Rectangle(-1, 1, 0, -1)); });
    RunPass(alone, "Pool", [&] { Draw(Rectangle(0, 1, 1, -1)); });
    EXPECT_EQ(Pixel(4, 8), 0xFF00FF00u) << "the pool's value";
    EXPECT_EQ(Pixel(12, 8), 0xFF000000u) << "the unpooled effect's own initial value";
    pool->Release();
}

} // namespace
