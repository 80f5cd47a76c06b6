// DXEffect over the data file: creation messages, the textures its annotations name, the handle
// cache, the setters by semantic, the object matrices, and the framework's global effect whose
// shared parameters every pooled effect sees.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/DXEffect.h"
#include "Framework/DXEffectTestSeam.h"
#include "Framework/FrameworkEx.h"
#include "Framework/SceneHandler.h"
#include "Framework/Timer.h"
#include "Platform/D3DX9/D3DXTestSeam.h"
#include "Platform/D3DX9/D3DXTexture.h"
#include "Platform/Win32/Win32TestSeam.h"
#include "ScratchDataFile.h"

#include <gmock/gmock.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace {

using Entries = std::map<std::string, std::string>;

// A scene whose shared-parameter block the test writes.
class BlockScene : public Scene {
public:
    BlockScene() : Scene("BlockScene") {}
    SharedParameters& Block() { return shared; }
};

D3DXMATRIX Numbered(float start) {
    D3DXMATRIX matrix;
    for (int i = 0; i < 16; ++i)
        matrix.m[i / 4][i % 4] = start + static_cast<float>(i);
    return matrix;
}

class DXEffectTest : public DeviceFixture {
protected:
    // Opens the framework in a scratch directory whose data file holds these entries, the
    // build's effects and its noise volume.
    void Open(Entries entries) {
        entries.merge(BuildContentEntries());
        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        OpenFramework();
        Win32TestSeam::CaptureMessageBoxes();
        DXEffectTestSeam::RecordTextureRequests();
    }

    void TearDown() override {
        CloseFramework();
        scratch.reset();
        Win32TestSeam::Clear();
        DXEffectTestSeam::Clear();
        D3DXTestSeam::Clear();
        DeviceFixture::TearDown();
    }

    // The FrameworkEx message of loading the effect, or "loaded".
    static std::string LoadMessage(DXEffect& effect, const std::string& name,
                                   ID3DXEffectPool* pool = nullptr) {
        try {
            effect.LoadEffect(name, pool);
        } catch (const FrameworkEx& error) {
            return error.Message();
        }
        return "loaded";
    }

    static std::vector<float> Values(DXEffect& effect, const char* semantic, UINT count) {
        std::vector<float> values(count, -1.0f);
        EXPECT_EQ(effect.Effect()->GetFloatArray(effect.GetHandle(semantic), values.data(), count),
                  D3D_OK)
            << semantic;
        return values;
    }

    static std::vector<float> Elements(const D3DXMATRIX& matrix) {
        return std::vector<float>(&matrix.m[0][0], &matrix.m[0][0] + 16);
    }

    std::optional<ScratchDataFile> scratch;
};

TEST_F(DXEffectTest, LoadFailuresGiveTheirMessages) {
    Open({{"OShaders\\Broken.fxo", "float4 Tint = {1, 2;\n"},
          {"OShaders\\UnknownState.fxo",
           "vertex V(float4 p : POSITION) { gl_Position = p; }\n"
           "fragment F(out float4 c : COLOR0) { c = vec4(1.0); }\n"
           "technique T { pass P { Glow = 1; VertexShader = V; PixelShader = F; } }\n"},
          {"OShaders\\NoInclude.fxo", "#include \"missing.fxh\"\n"}});
    struct Case {
        const char* name;
        std::string message;
    };
    const Case cases[] = {
        {"", "Empty filename supplied to DXEffect::LoadEffect"},
        {"Foo.fx", "[DXFramework::CreateEffectFromFile]: can't find fileOShaders\\Foo.fxo"},
        {"Broken.fx",
         "Could not Create effect from: Broken.fx\n\neffect(1): error: expected '}' but found ';'"},
        {"UnknownState.fx",
         "Could not Create effect from: UnknownState.fx\n\neffect(3): error: unknown state 'Glow'"},
        {"NoInclude.fx", "Could not Create effect from: NoInclude.fx\n\neffect(1): error: cannot "
                         "open include file 'missing.fxh'"},
    };
    for (const Case& c : cases) {
        DXEffect effect;
        EXPECT_EQ(LoadMessage(effect, c.name), c.message) << c.name;
        EXPECT_EQ(effect.Effect(), nullptr) << c.name;
        EXPECT_FALSE(effect.IsLoaded()) << c.name;
    }
}

TEST_F(DXEffectTest, IncludesComeFromTheShadersFolder) {
    Open({{"OShaders\\Uses.fxo", "#include \"shared.fxh\"\nfloat Own : OWN;\n"}});
    DXEffect effect;
    ASSERT_EQ(LoadMessage(effect, "Uses.fx"), "loaded");
    EXPECT_TRUE(effect.IsLoaded());
    EXPECT_NE(effect.GetHandle("VIEWPROJ"), nullptr);
    EXPECT_NE(effect.GetHandle("OWN"), nullptr);
}

TEST_F(DXEffectTest, AnnotationsChooseTheTextureRequest) {
    struct Case {
        const char* annotations;
        bool requested;
        bool cube;
        DWORD filter;
        DWORD mipFilter;
    };
    const Case cases[] = {
        {"string ResourceName = \"t.png\";", true, false, D3DX_FILTER_LINEAR,
         D3DX_FILTER_DITHER_DIFFUSION},
        {"string ResourceName = \"t.png\"; string Filter = \"NONE\";", true, false,
         D3DX_FILTER_NONE, D3DX_FILTER_NONE},
        {"string ResourceName = \"t.png\"; string Filter = \"POINT\";", true, false,
         D3DX_FILTER_LINEAR, D3DX_FILTER_DITHER_DIFFUSION},
        {"string ResourceName = \"t.png\"; string Filter = \"none\";", true, false,
         D3DX_FILTER_LINEAR, D3DX_FILTER_DITHER_DIFFUSION},
        {"string ResourceName = \"t.png\"; string Type = \"2D\";", true, false, D3DX_FILTER_LINEAR,
         D3DX_FILTER_DITHER_DIFFUSION},
        {"string ResourceName = \"t.png\"; string Type = \"CUBE\";", true, true, 0, 0},
        {"string ResourceName = \"t.png\"; string Type = \"Cube\";", false, false, 0, 0},
        {"string Type = \"2D\";", false, false, 0, 0}, // no ResourceName: skipped
    };
    Entries entries;
    for (std::size_t i = 0; i < std::size(cases); ++i)
        entries["OShaders\\Case" + std::to_string(i) + ".fxo"] =
            std::string("texture T : TEXTURE0 < ") + cases[i].annotations + " >;\n";
    Open(entries);

    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        DXEffectTestSeam::Clear();
        DXEffectTestSeam::RecordTextureRequests();
        Win32TestSeam::Clear();
        Win32TestSeam::CaptureMessageBoxes();
        DXEffect effect;
        ASSERT_EQ(LoadMessage(effect, "Case" + std::to_string(i) + ".fx"), "loaded");

        const auto& requests = DXEffectTestSeam::TextureRequests();
        ASSERT_EQ(requests.size(), c.requested ? 1u : 0u) << c.annotations;
        // The entry is not in the data file: the load goes on after one box naming it.
        const auto& boxes = Win32TestSeam::CapturedMessageBoxes();
        ASSERT_EQ(boxes.size(), c.requested ? 1u : 0u) << c.annotations;
        if (c.requested) {
            EXPECT_EQ(requests[0].entry, "Data\\t.png");
            EXPECT_EQ(requests[0].cube, c.cube) << c.annotations;
            EXPECT_EQ(requests[0].filter, c.filter) << c.annotations;
            EXPECT_EQ(requests[0].mipFilter, c.mipFilter) << c.annotations;
            EXPECT_EQ(boxes[0].caption, "Couldnt read file");
            EXPECT_EQ(boxes[0].text, "t.png");
        }
        // The handle is recorded whatever came of it, and the parameter holds no texture.
        ASSERT_EQ(effect.TextureHandles().size(), 1u) << c.annotations;
        EXPECT_EQ(effect.LoadedTexture(effect.TextureHandles()[0]), nullptr);
        IDirect3DBaseTexture9* texture = nullptr;
        EXPECT_EQ(effect.Effect()->GetTexture(effect.TextureHandles()[0], &texture), D3D_OK);
        EXPECT_EQ(texture, nullptr);
        EXPECT_TRUE(effect.IsLoaded());
    }
}

TEST_F(DXEffectTest, TextureSemanticsRunFromZeroToThirtyOne) {
    Open({{"OShaders\\Gaps.fxo", "texture A : TEXTURE2 < string ResourceName = \"a.png\"; >;\n"
                                 "texture B : TEXTURE0 < string ResourceName = \"b.png\"; >;\n"
                                 "texture C : TEXTURE32 < string ResourceName = \"c.png\"; >;\n"
                                 "texture D : TEXTURE31 < string ResourceName = \"d.png\"; >;\n"
                                 "texture E : TEXTURE < string ResourceName = \"e.png\"; >;\n"}});
    DXEffect effect;
    ASSERT_EQ(LoadMessage(effect, "Gaps.fx"), "loaded");
    ID3DXEffect* raw = effect.Effect();
    EXPECT_THAT(effect.TextureHandles(),
                testing::ElementsAre(raw->GetParameterByName(nullptr, "B"),
                                     raw->GetParameterByName(nullptr, "A"),
                                     raw->GetParameterByName(nullptr, "D")));
    std::vector<std::string> requested;
    for (const auto& request : DXEffectTestSeam::TextureRequests())
        requested.push_back(request.entry);
    EXPECT_THAT(requested, testing::ElementsAre("Data\\b.png", "Data\\a.png", "Data\\d.png"));
    std::vector<std::string> boxes;
    for (const auto& box : Win32TestSeam::CapturedMessageBoxes())
        boxes.push_back(box.text);
    EXPECT_THAT(boxes, testing::ElementsAre("b.png", "a.png", "d.png")) << "one box per texture";
}

TEST_F(DXEffectTest, GetHandleAsksTheEffectOncePerSemantic) {
    Open({{"OShaders\\Tint.fxo", "float4 Tint : TINT;\n"}});
    DXEffect effect;
    EXPECT_EQ(effect.GetHandle("TINT"), nullptr) << "no effect yet";
    ASSERT_EQ(LoadMessage(effect, "Tint.fx"), "loaded");
    D3DXTestSeam::Clear();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(effect.GetHandle("MISSING"), nullptr);
    EXPECT_EQ(D3DXTestSeam::SemanticLookups(), 1u);
    const D3DXHANDLE tint = effect.GetHandle("TINT");
    EXPECT_NE(tint, nullptr);
    EXPECT_EQ(effect.GetHandle("TINT"), tint);
    EXPECT_EQ(D3DXTestSeam::SemanticLookups(), 2u);

    effect.Release();
    EXPECT_EQ(effect.Effect(), nullptr);
    EXPECT_EQ(effect.GetHandle("TINT"), tint) << "the cache outlives the effect";
    effect.SetFloat("TINT", 1.0f); // without an effect: nothing happens
    EXPECT_EQ(D3DXTestSeam::SemanticLookups(), 2u);
}

TEST_F(DXEffectTest, SettersBySemanticAndByHandleReachTheParameters) {
    Open({{"OShaders\\All.fxo", "float Scale : SCALE;\nfloat2 Size : SIZE;\nfloat3 Eye : EYE;\n"
                                "float4 Tint : TINT;\nfloat Weights[5] : WEIGHTS;\n"
                                "float4x4 World : WORLD;\ntexture Grain : GRAIN;\n"}});
    DXEffect effect;
    ASSERT_EQ(LoadMessage(effect, "All.fx"), "loaded");
    const float values[5] = {1, 2, 3, 4, 5};
    effect.SetFloat("SCALE", 7.0f);
    effect.SetVector2("SIZE", values);
    effect.SetVector3("EYE", values + 1);
    effect.SetVector4("TINT", values + 1);
    effect.SetFloatArray("WEIGHTS", values, 5);
    effect.SetMatrix("WORLD", Numbered(1.0f));
    effect.SetTexture("GRAIN", framework->noiseTexture);
    effect.SetFloat("NOSUCHSEMANTIC", 1.0f);
    EXPECT_THAT(Values(effect, "SCALE", 1), testing::ElementsAre(7));
    EXPECT_THAT(Values(effect, "SIZE", 2), testing::ElementsAre(1, 2));
    EXPECT_THAT(Values(effect, "EYE", 3), testing::ElementsAre(2, 3, 4));
    EXPECT_THAT(Values(effect, "TINT", 4), testing::ElementsAre(2, 3, 4, 5));
    EXPECT_THAT(Values(effect, "WEIGHTS", 5), testing::ElementsAre(1, 2, 3, 4, 5));
    EXPECT_EQ(Values(effect, "WORLD", 16), Elements(Numbered(1.0f)));
    IDirect3DBaseTexture9* texture = nullptr;
    EXPECT_EQ(effect.Effect()->GetTexture(effect.GetHandle("GRAIN"), &texture), D3D_OK);
    EXPECT_EQ(texture, framework->noiseTexture);
    texture->Release();

    effect.SetFloatByHandle(effect.GetHandle("SCALE"), 8.0f);
    effect.SetVector2ByHandle(effect.GetHandle("SIZE"), values + 3);
    effect.SetVector3ByHandle(effect.GetHandle("EYE"), values);
    effect.SetVector4ByHandle(effect.GetHandle("TINT"), values);
    effect.SetFloatArrayByHandle(effect.GetHandle("WEIGHTS"), values + 2, 3);
    effect.SetMatrixByHandle(effect.GetHandle("WORLD"), Numbered(20.0f));
    effect.SetTextureByHandle(effect.GetHandle("GRAIN"), nullptr);
    EXPECT_THAT(Values(effect, "SCALE", 1), testing::ElementsAre(8));
    EXPECT_THAT(Values(effect, "SIZE", 2), testing::ElementsAre(4, 5));
    EXPECT_THAT(Values(effect, "EYE", 3), testing::ElementsAre(1, 2, 3));
    EXPECT_THAT(Values(effect, "TINT", 4), testing::ElementsAre(1, 2, 3, 4));
    EXPECT_THAT(Values(effect, "WEIGHTS", 5), testing::ElementsAre(3, 4, 5, 4, 5));
    EXPECT_EQ(Values(effect, "WORLD", 16), Elements(Numbered(20.0f)));
    EXPECT_EQ(effect.Effect()->GetTexture(effect.GetHandle("GRAIN"), &texture), D3D_OK);
    EXPECT_EQ(texture, nullptr);
}

TEST_F(DXEffectTest, SetLocalMatrixSetsWhatTheEffectDeclaresWithTheCurrentScene) {
    Open({{"OShaders\\Full.fxo", "float4x4 L : LOCAL;\nfloat4x4 LV : LOCALVIEW;\n"
                                 "float4x4 LVP : LOCALVIEWPROJ;\n"},
          {"OShaders\\OnlyViewProj.fxo", "float4x4 LVP : LOCALVIEWPROJ;\nfloat4x4 O : OTHER;\n"}});
    auto* scene = new BlockScene();
    SceneHandler::Instance()->AddScene(scene);
    ASSERT_EQ(SceneHandler::CurrentScene(), scene);
    scene->Block().view = Numbered(-3.0f);
    scene->Block().viewProjection = Numbered(0.5f);
    const D3DXMATRIX world = Numbered(2.0f);
    D3DXMATRIX worldView, worldViewProj;
    D3DXMatrixMultiply(&worldView, &world, &scene->Block().view);
    D3DXMatrixMultiply(&worldViewProj, &world, &scene->Block().viewProjection);

    DXEffect full;
    ASSERT_EQ(LoadMessage(full, "Full.fx"), "loaded");
    full.SetLocalMatrix(world);
    EXPECT_EQ(Values(full, "LOCAL", 16), Elements(world));
    EXPECT_EQ(Values(full, "LOCALVIEW", 16), Elements(worldView));
    EXPECT_EQ(Values(full, "LOCALVIEWPROJ", 16), Elements(worldViewProj));

    DXEffect only;
    ASSERT_EQ(LoadMessage(only, "OnlyViewProj.fx"), "loaded");
    only.SetLocalMatrix(world);
    EXPECT_EQ(Values(only, "LOCALVIEWPROJ", 16), Elements(worldViewProj));
    EXPECT_EQ(Values(only, "OTHER", 16), std::vector<float>(16, 0.0f)) << "nothing else is set";
}

TEST_F(DXEffectTest, TheGlobalEffectSharesTheSceneBlockAndTheNoiseTexture) {
    Open({{"OShaders\\Pooled.fxo", "#include \"shared.fxh\"\n"}});
    ASSERT_TRUE(framework->globalEffect && framework->globalEffect->IsLoaded());
    ASSERT_NE(framework->effectPool, nullptr);
    DXEffect pooled, alone;
    ASSERT_EQ(LoadMessage(pooled, "Pooled.fx", framework->effectPool), "loaded");
    ASSERT_EQ(LoadMessage(alone, "Pooled.fx"), "loaded");

    IDirect3DBaseTexture9* noise = nullptr;
    EXPECT_EQ(pooled.Effect()->GetTexture(pooled.GetHandle("NOISETEX"), &noise), D3D_OK);
    EXPECT_EQ(noise, framework->noiseTexture);
    if (noise != nullptr) noise->Release();

    auto* scene = new BlockScene();
    SceneHandler::Instance()->AddScene(scene);
    SharedParameters& block = scene->Block();
    block.view = Numbered(1.0f);
    block.viewProjection = Numbered(2.0f);
    block.previousViewProjection = Numbered(3.0f);
    block.lightViewProjection = Numbered(4.0f);
    block.eyePosition = D3DXVECTOR3(1, 2, 3);
    block.lightPosition = D3DXVECTOR3(4, 5, 6);
    block.lightDirection = D3DXVECTOR3(7, 8, 9);
    block.ambient = D3DXVECTOR4(0.1f, 0.2f, 0.3f, 0.4f);
    block.diffuse = D3DXVECTOR4(0.5f, 0.6f, 0.7f, 0.8f);
    Timer::currentTime = 12.25;
    scene->SetSharedParameters();

    EXPECT_EQ(Values(pooled, "VIEW", 16), Elements(block.view));
    EXPECT_EQ(Values(pooled, "VIEWPROJ", 16), Elements(block.viewProjection));
    EXPECT_EQ(Values(pooled, "OLDVIEWPROJ", 16), Elements(block.previousViewProjection));
    EXPECT_EQ(Values(pooled, "LIGHTVIEWPROJ", 16), Elements(block.lightViewProjection));
    EXPECT_THAT(Values(pooled, "EYEPOS", 3), testing::ElementsAre(1, 2, 3));
    EXPECT_THAT(Values(pooled, "LIGHTPOS", 3), testing::ElementsAre(4, 5, 6));
    EXPECT_THAT(Values(pooled, "LIGHTDIR", 3), testing::ElementsAre(7, 8, 9));
    EXPECT_THAT(Values(pooled, "AMBIENT", 4), testing::ElementsAre(0.1f, 0.2f, 0.3f, 0.4f));
    EXPECT_THAT(Values(pooled, "DIFFUSE", 4), testing::ElementsAre(0.5f, 0.6f, 0.7f, 0.8f));
    EXPECT_THAT(Values(pooled, "TIME", 1), testing::ElementsAre(12.25f));
    EXPECT_THAT(Values(alone, "TIME", 1), testing::ElementsAre(0.0f)) << "not of the pool";
    EXPECT_EQ(Values(alone, "VIEW", 16), std::vector<float>(16, 0.0f));
    Timer::currentTime = 0.0;
}

} // namespace
