// DXMesh: loading with and without textures, the missing-texture box, drawing every subset with
// stage 0 or once per effect pass, effect ownership, vertex access and the failure messages.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/DXMesh.h"
#include "Framework/FrameworkEx.h"
#include "ImageFileSupport.h"
#include "Platform/Win32/Win32TestSeam.h"
#include "ScratchDataFile.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

constexpr const char* kMeshEffect = R"(
float4 Tint : TINT = {0.25, 0.25, 0.25, 1};
vertex MeshVS(float3 pos : POSITION, out float4 position : POSITION) {
    position = vec4(pos, 1.0);
}
fragment TintPS(out float4 colour : COLOR0) { colour = Tint; }
technique Default {
    pass P0 { CullMode = None; ZEnable = false; AlphaBlendEnable = true; SrcBlend = One;
              DestBlend = One; VertexShader = MeshVS; PixelShader = TintPS; }
}
technique TwoPasses {
    pass P0 { CullMode = None; ZEnable = false; AlphaBlendEnable = true; SrcBlend = One;
              DestBlend = One; VertexShader = MeshVS; PixelShader = TintPS; }
    pass P1 { CullMode = None; ZEnable = false; AlphaBlendEnable = true; SrcBlend = One;
              DestBlend = One; VertexShader = MeshVS; PixelShader = TintPS; }
}
)";

// Two triangles in clip space: subset 0 covers the top left, subset 1 the top right; the
// first material names a texture the data file lacks when `texture` says so.
std::string TwoSubsetMesh(const char* texture) {
    const std::string textureEntry =
        texture != nullptr ? std::string("TextureFilename { \"") + texture + "\"; }" : "";
    return "xof 0303txt 0032\n"
           "Mesh { 6; -1;1;0.5;, 0;1;0.5;, -1;-1;0.5;, 0;1;0.5;, 1;1;0.5;, 1;-1;0.5;;\n"
           " 2; 3;0,1,2;, 3;3,4,5;;\n"
           " MeshMaterialList { 2; 2; 0,1;;\n"
           "  Material { 0.5;0.25;1.0;1.0;; 8.0; 0.1;0.2;0.3;; 0.0;0.0;0.0;; " +
           textureEntry +
           " }\n"
           "  Material { 1.0;1.0;1.0;1.0;; 0.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }\n"
           " }\n"
           "}\n";
}

class DXMeshTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        entries["OShaders\\MeshTest.fxo"] = kMeshEffect;
        entries["Data\\plain.x"] = TwoSubsetMesh(nullptr);
        entries["Data\\textured.x"] = TwoSubsetMesh("missing.png");
        entries["Data\\broken.x"] = "xof 0303txt 0032\nMesh { 3; 0;0;0;;";
        entries["Data\\green.x"] = TwoSubsetMesh("green.png");
        const FileBytes green =
            EncodeImage(ImageWriter::Png, 2, 2, 4,
                        {0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255, 0, 255});
        entries["Data\\green.png"] = std::string(green.begin(), green.end());
        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        OpenFramework();
        ASSERT_EQ(g_pd3dDevice->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET,
                                              D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &targetTexture,
                                              nullptr),
                  D3D_OK);
        ASSERT_EQ(targetTexture->GetSurfaceLevel(0, &target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
        g_pd3dDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
        g_pd3dDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
        Win32TestSeam::CaptureMessageBoxes();
    }

    void TearDown() override {
        Win32TestSeam::Clear();
        g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
        target->Release();
        targetTexture->Release();
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    // The colour near the top of the left or right half: inside subset 0 or 1.
    std::uint32_t SubsetPixel(int subset) {
        return ReadPixels(target)[2 * kSize + (subset == 0 ? 2 : kSize - 3)];
    }

    static std::string MessageOf(auto&& call) {
        try {
            call();
        } catch (const FrameworkEx& error) {
            return error.Message();
        }
        return "no exception";
    }

    static constexpr int kSize = 32;
    std::optional<ScratchDataFile> scratch;
    IDirect3DTexture9* targetTexture = nullptr;
    IDirect3DSurface9* target = nullptr;
};

TEST_F(DXMeshTest, MaterialsWithoutTexturesLoadSilentlyAndDrawWithStageZeroCleared) {
    DXMesh mesh;
    EXPECT_EQ(mesh.techniqueName, "Default");
    EXPECT_EQ(mesh.textureFolder, "Data\\");
    mesh.LoadX("Data\\plain.x", true);
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
    ASSERT_EQ(mesh.MaterialCount(), 2u);
    ASSERT_EQ(mesh.Materials().size(), 2u);
    const D3DMATERIAL9& first = mesh.Materials()[0].material;
    EXPECT_EQ(first.Diffuse.r, 0.5f);
    EXPECT_EQ(first.Diffuse.g, 0.25f);
    EXPECT_EQ(first.Diffuse.b, 1.0f);
    EXPECT_EQ(first.Specular.b, 0.3f);
    EXPECT_EQ(first.Power, 8.0f);
    EXPECT_EQ(mesh.Materials()[0].texture, nullptr);

    // A red texture left on stage 0 must not reach the subsets.
    IDirect3DTexture9* red = nullptr;
    ASSERT_EQ(
        g_pd3dDevice->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &red, nullptr),
        D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(red->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const std::uint32_t texel = 0xFFFF0000;
    std::memcpy(locked.pBits, &texel, 4);
    red->UnlockRect(0);
    g_pd3dDevice->SetTexture(0, red);
    mesh.Draw();
    EXPECT_EQ(SubsetPixel(0), 0xFFFFFFFFu);
    EXPECT_EQ(SubsetPixel(1), 0xFFFFFFFFu);
    IDirect3DBaseTexture9* bound = red;
    g_pd3dDevice->GetTexture(0, &bound);
    EXPECT_EQ(bound, nullptr);
    red->Release();
}

TEST_F(DXMeshTest, AMissingTextureShowsOneBoxUnlessTexturesAreNotRequested) {
    DXMesh withoutTextures;
    withoutTextures.LoadX("Data\\textured.x", false);
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
    EXPECT_EQ(withoutTextures.MaterialCount(), 2u);

    DXMesh mesh;
    mesh.LoadX("Data\\textured.x", true);
    ASSERT_EQ(Win32TestSeam::CapturedMessageBoxes().size(), 1u);
    EXPECT_EQ(Win32TestSeam::CapturedMessageBoxes()[0].caption, "Could not locate texture");
    EXPECT_EQ(Win32TestSeam::CapturedMessageBoxes()[0].text, "Data\\missing.png");
    ASSERT_EQ(mesh.MaterialCount(), 2u);
    EXPECT_EQ(mesh.Materials()[0].texture, nullptr);
    mesh.Draw();
    EXPECT_EQ(SubsetPixel(0), 0xFFFFFFFFu);
}

TEST_F(DXMeshTest, ATextureFromTheTextureFolderIsSampledOnStageZero) {
    DXMesh mesh;
    mesh.LoadX("Data\\green.x", true);
    EXPECT_TRUE(Win32TestSeam::CapturedMessageBoxes().empty());
    ASSERT_NE(mesh.Materials()[0].texture, nullptr);
    EXPECT_EQ(mesh.Materials()[1].texture, nullptr);
    mesh.Draw();
    EXPECT_EQ(SubsetPixel(0), 0xFF00FF00u);
    EXPECT_EQ(SubsetPixel(1), 0xFFFFFFFFu);

    DXMesh elsewhere;
    elsewhere.textureFolder = "Other\\";
    elsewhere.LoadX("Data\\green.x", true);
    ASSERT_EQ(Win32TestSeam::CapturedMessageBoxes().size(), 1u);
    EXPECT_EQ(Win32TestSeam::CapturedMessageBoxes()[0].text, "Other\\green.png");
}

TEST_F(DXMeshTest, EveryPassOfTheEffectDrawsEverySubset) {
    DXMesh mesh;
    mesh.LoadX("Data\\plain.x", false);
    mesh.LoadEffect("MeshTest.fx", nullptr);
    mesh.Draw(); // "Default": one additive pass of a quarter
    for (int subset = 0; subset < 2; ++subset)
        EXPECT_NEAR(static_cast<int>((SubsetPixel(subset) >> 16) & 0xFF), 64, 1) << subset;
    g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    mesh.techniqueName = "TwoPasses";
    mesh.Draw();
    EXPECT_EQ(mesh.Effect()->TechniqueName(), "TwoPasses");
    for (int subset = 0; subset < 2; ++subset)
        EXPECT_NEAR(static_cast<int>((SubsetPixel(subset) >> 16) & 0xFF), 128, 1) << subset;
}

TEST_F(DXMeshTest, ASecondEffectIsRefusedAndTheFirstStays) {
    DXMesh mesh;
    mesh.LoadEffect("MeshTest.fx", nullptr);
    DXEffect* first = mesh.Effect();
    EXPECT_EQ(MessageOf([&] { mesh.LoadEffect("MeshTest.fx", nullptr); }),
              "[DXMesh::LoadEffect] Effect already bound");
    auto* other = new DXEffect;
    EXPECT_EQ(MessageOf([&] { mesh.SetEffect(other); }),
              "[DXMesh::SetEffect] Effect already bound");
    delete other;
    EXPECT_EQ(mesh.Effect(), first);

    DXMesh owner; // takes the caller's effect and deletes it (the sanitizer build checks)
    owner.SetEffect(new DXEffect);
    owner.Release();
    EXPECT_EQ(owner.Effect(), nullptr);
}

TEST_F(DXMeshTest, FailuresGiveTheirMessages) {
    DXMesh mesh;
    EXPECT_EQ(MessageOf([&] { mesh.Draw(); }), "No mesh loaded in DXMesh::Draw ()!");
    EXPECT_EQ(MessageOf([&] { mesh.LoadX("Data\\nothere.x", true); }),
              "[DXMesh::LoadX]: failed to load \"Data\\nothere.x\".");
    EXPECT_EQ(MessageOf([&] { mesh.LoadX("Data\\broken.x", true); }),
              "[DXMesh::LoadX]: failed to load \"Data\\broken.x\".");
    EXPECT_EQ(mesh.Mesh(), nullptr);
    EXPECT_EQ(MessageOf([&] { mesh.Draw(); }), "No mesh loaded in DXMesh::Draw ()!");
}

TEST_F(DXMeshTest, VerticesCanBeReadAndMovedThroughTheLock) {
    DXMesh mesh;
    mesh.LoadX("Data\\plain.x", false);
    mesh.LoadX("Data\\plain.x", false); // a second load replaces the first
    ASSERT_EQ(mesh.Mesh()->GetNumVertices(), 6u);
    auto* vertices = static_cast<float*>(mesh.LockVertices());
    EXPECT_EQ(vertices[0], -1.0f); // vertex 0: position, normal, texture coordinates
    EXPECT_EQ(vertices[1], 1.0f);
    EXPECT_EQ(vertices[8 * 4 + 0], 1.0f); // vertex 4
    // Move the right triangle's corners onto the left half.
    for (int vertex = 3; vertex < 6; ++vertex)
        vertices[8 * vertex] -= 1.0f;
    mesh.UnlockVertices();
    mesh.Draw();
    EXPECT_EQ(SubsetPixel(0), 0xFFFFFFFFu);
    EXPECT_EQ(SubsetPixel(1), 0xFF000000u);
}

} // namespace
