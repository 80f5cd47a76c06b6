// The effect framework over the device: creation and its error texts, handles and names,
// semantics and annotations, parameter values, pools, and the programs a technique runs with.
#include "DeviceFixture.h"
#include "Platform/D3D9/Device.h"
#include "Platform/D3DX9/D3DXEffect.h"

#include <epoxy/gl.h>
#include <gmock/gmock.h>

#include <cstring>
#include <map>
#include <string>

namespace {

// Include files served from a map; counts what it hands out and takes back.
class MapInclude : public ID3DXInclude {
public:
    explicit MapInclude(std::map<std::string, std::string> includeFiles = {})
        : files(std::move(includeFiles)) {}

    HRESULT Open(D3DXINCLUDE_TYPE, const char* fileName, const void*, const void** data,
                 UINT* bytes) override {
        const auto found = files.find(fileName);
        if (found == files.end()) return E_FAIL;
        *data = found->second.data();
        *bytes = static_cast<UINT>(found->second.size());
        ++open;
        return S_OK;
    }
    HRESULT Close(const void*) override {
        --open;
        return S_OK;
    }

    int open = 0;

private:
    std::map<std::string, std::string> files;
};

// A pass that draws one colour, and the declarations around it.
const char* kPassthrough = R"(
vertex VS(float4 pos : POSITION) { gl_Position = pos; }
)";

std::string WithTechnique(const std::string& declarations, const std::string& colour = "Tint",
                          const std::string& states = "") {
    return declarations + kPassthrough + "fragment PS(out float4 c : COLOR0) { c = " + colour +
           "; }\n" + "technique Paint < string Purpose = \"test\"; > { pass P0 { " + states +
           "VertexShader = VS; PixelShader = PS; } }\n";
}

class D3DXEffectTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }
    void TearDown() override {
        for (ID3DXEffect* effect : effects)
            effect->Release();
        DeviceFixture::TearDown();
    }

    // The effect of the text, released by the fixture.
    ID3DXEffect* Create(const std::string& text, ID3DXEffectPool* pool = nullptr) {
        ID3DXEffect* effect = nullptr;
        ID3DXBuffer* errors = nullptr;
        const HRESULT result =
            D3DXCreateEffect(g_pd3dDevice, text.data(), static_cast<UINT>(text.size()), nullptr,
                             &includes, 0, pool, &effect, &errors);
        EXPECT_EQ(result, D3D_OK) << (errors ? static_cast<const char*>(errors->GetBufferPointer())
                                             : "no error text");
        if (errors != nullptr) errors->Release();
        if (effect != nullptr) effects.push_back(effect);
        return effect;
    }

    struct Failure {
        HRESULT result;
        std::string text;
    };
    Failure CreateFailure(const std::string& text) {
        ID3DXEffect* effect = nullptr;
        ID3DXBuffer* errors = nullptr;
        const HRESULT result =
            D3DXCreateEffect(g_pd3dDevice, text.data(), static_cast<UINT>(text.size()), nullptr,
                             &includes, 0, nullptr, &effect, &errors);
        EXPECT_EQ(effect, nullptr);
        if (effect != nullptr) effect->Release();
        Failure failure{result, "no error buffer"};
        if (errors != nullptr) {
            const auto* bytes = static_cast<const char*>(errors->GetBufferPointer());
            EXPECT_EQ(bytes[errors->GetBufferSize() - 1], '\0') << "not zero-terminated";
            failure.text = bytes;
            errors->Release();
        }
        return failure;
    }

    static GLuint CurrentProgram() { return static_cast<Device*>(g_pd3dDevice)->CurrentProgram(); }

    std::vector<float> UniformValues(const char* name, int count) {
        std::vector<float> values(static_cast<std::size_t>(count));
        glGetUniformfv(CurrentProgram(), glGetUniformLocation(CurrentProgram(), name),
                       values.data());
        return values;
    }

    IDirect3DVolumeTexture9* MakeTexture() {
        IDirect3DVolumeTexture9* texture = nullptr;
        EXPECT_EQ(g_pd3dDevice->CreateVolumeTexture(4, 4, 4, 1, 0, D3DFMT_L8, D3DPOOL_MANAGED,
                                                    &texture, nullptr),
                  D3D_OK);
        return texture;
    }

    static unsigned long References(IDirect3DBaseTexture9* texture) {
        texture->AddRef();
        return texture->Release();
    }

    MapInclude includes{{{"common.fxh", "float4 Tint : TINT = {0.25, 0.5, 0.75, 1};\n"},
                         {"broken.fxh", "float4 Broken = ;\n"}}};
    std::vector<ID3DXEffect*> effects;
};

TEST_F(D3DXEffectTest, FaultsGiveTheCompilerTextAndResult) {
    struct Case {
        const char* what;
        std::string text;
        HRESULT result;
        std::string message; // the whole text, or its beginning when it ends in "..."
    };
    const Case cases[] = {
        {"syntax error", "float4 Tint = {1, 2;\n", D3DXERR_INVALIDDATA,
         "effect(1): error: expected '}' but found ';'"},
        {"unknown render state", WithTechnique("float4 Tint;\n", "Tint", "Shininess = 3; "),
         D3DXERR_INVALIDDATA, "effect(5): error: unknown state 'Shininess'"},
        {"missing include", "float a;\n#include \"missing.fxh\"\n", E_FAIL,
         "effect(2): error: cannot open include file 'missing.fxh'"},
        {"fault inside an include", "#include \"broken.fxh\"\n", D3DXERR_INVALIDDATA,
         "broken.fxh(1): error: expected a number but found ';'"},
        {"GLSL that does not compile", WithTechnique("float4 Tint;\n", "Tint * undefinedName"),
         D3DXERR_INVALIDDATA,
         "effect(5): error: pixel shader 'PS' of pass 'P0' does not compile: ..."},
    };
    for (const Case& c : cases) {
        const Failure failure = CreateFailure(c.text);
        EXPECT_EQ(failure.result, c.result) << c.what;
        if (c.message.ends_with("..."))
            EXPECT_THAT(failure.text,
                        testing::StartsWith(c.message.substr(0, c.message.size() - 3)))
                << c.what;
        else
            EXPECT_EQ(failure.text, c.message) << c.what;
    }
    EXPECT_EQ(includes.open, 0) << "every include opened is closed";
}

TEST_F(D3DXEffectTest, ErrorBufferIsOptionalAndBadArgumentsAreRefused) {
    const std::string text = "float4 Tint = ;";
    ID3DXEffect* effect = nullptr;
    EXPECT_EQ(D3DXCreateEffect(g_pd3dDevice, text.data(), static_cast<UINT>(text.size()), nullptr,
                               nullptr, 0, nullptr, &effect, nullptr),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(effect, nullptr);
    EXPECT_EQ(
        D3DXCreateEffect(nullptr, text.data(), 1, nullptr, nullptr, 0, nullptr, &effect, nullptr),
        D3DERR_INVALIDCALL);
    const D3DXMACRO defines[] = {{"X", "1"}, {nullptr, nullptr}};
    EXPECT_EQ(D3DXCreateEffect(g_pd3dDevice, text.data(), 1, defines, nullptr, 0, nullptr, &effect,
                               nullptr),
              D3DERR_INVALIDCALL);
}

TEST_F(D3DXEffectTest, TextEndsAtItsTerminatingZero) {
    const std::string text = std::string("float4 Tint : TINT;\n") + '\0' + "garbage";
    ID3DXEffect* effect = nullptr;
    ASSERT_EQ(D3DXCreateEffect(g_pd3dDevice, text.data(), static_cast<UINT>(text.size()), nullptr,
                               nullptr, 0, nullptr, &effect, nullptr),
              D3D_OK);
    EXPECT_NE(effect->GetParameterBySemantic(nullptr, "TINT"), nullptr);
    effect->Release();
}

TEST_F(D3DXEffectTest, HandlesReadAsNamesAndNamesWorkAsHandles) {
    ID3DXEffect* effect = Create("#include \"common.fxh\"\nfloat Scale : SCALE = 2;\n"
                                 "texture Grain : TEXTURE0;\n");
    ASSERT_NE(effect, nullptr);
    const D3DXHANDLE scale = effect->GetParameterByName(nullptr, "Scale");
    ASSERT_NE(scale, nullptr);
    EXPECT_STREQ(scale, "Scale");
    EXPECT_EQ(effect->GetParameter(nullptr, 1), scale);
    EXPECT_EQ(effect->GetParameter(nullptr, 3), nullptr);
    EXPECT_EQ(effect->GetParameterByName(nullptr, "scale"), nullptr) << "names are exact";
    EXPECT_EQ(effect->GetParameterByName(scale, "Scale"), nullptr) << "no structures";

    // A copy of the name is not the handle's pointer, and still addresses the parameter.
    const std::string name = "Scale";
    EXPECT_EQ(effect->SetFloat(name.c_str(), 5.0f), D3D_OK);
    float value = 0.0f;
    EXPECT_EQ(effect->GetFloat(scale, &value), D3D_OK);
    EXPECT_EQ(value, 5.0f);
    EXPECT_EQ(effect->SetFloat("NoSuchParameter", 1.0f), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->SetFloat(nullptr, 1.0f), D3DERR_INVALIDCALL);

    D3DXPARAMETER_DESC desc{};
    ASSERT_EQ(effect->GetParameterDesc("Tint", &desc), D3D_OK);
    EXPECT_STREQ(desc.Name, "Tint");
    EXPECT_STREQ(desc.Semantic, "TINT");
    EXPECT_EQ(desc.Class, D3DXPC_VECTOR);
    EXPECT_EQ(desc.Columns, 4u);
    EXPECT_EQ(desc.Bytes, 16u);
    ASSERT_EQ(effect->GetParameterDesc("Grain", &desc), D3D_OK);
    EXPECT_EQ(desc.Class, D3DXPC_OBJECT);
    EXPECT_EQ(desc.Type, D3DXPT_TEXTURE);
}

TEST_F(D3DXEffectTest, SemanticsCompareWithoutCaseAtTopLevelOnly) {
    ID3DXEffect* effect = Create("float4x4 World : LocalViewProj;\ntexture T0 : TEXTURE0;\n"
                                 "texture T : TEXTURE;\n");
    ASSERT_NE(effect, nullptr);
    struct Case {
        const char* semantic;
        const char* parameter; // null: none
    };
    const Case cases[] = {{"LOCALVIEWPROJ", "World"}, {"localviewproj", "World"},
                          {"TEXTURE0", "T0"},         {"texture", "T"},
                          {"TEXTURE1", nullptr},      {"LOCALVIEW", nullptr}};
    for (const Case& c : cases) {
        const D3DXHANDLE found = effect->GetParameterBySemantic(nullptr, c.semantic);
        if (c.parameter == nullptr)
            EXPECT_EQ(found, nullptr) << c.semantic;
        else
            EXPECT_EQ(found, effect->GetParameterByName(nullptr, c.parameter)) << c.semantic;
    }
    EXPECT_EQ(effect->GetParameterBySemantic(effect->GetParameterByName(nullptr, "World"),
                                             "LOCALVIEWPROJ"),
              nullptr);
}

TEST_F(D3DXEffectTest, AnnotationsOfParametersTechniquesAndPasses) {
    ID3DXEffect* effect =
        Create(WithTechnique("float4 Tint;\ntexture Grain : TEXTURE0 < string ResourceName = "
                             "\"grain.png\"; float Weight = 0.5; >;\n"));
    ASSERT_NE(effect, nullptr);
    const char* text = nullptr;
    const D3DXHANDLE grain = effect->GetParameterBySemantic(nullptr, "TEXTURE0");
    ASSERT_EQ(effect->GetString(effect->GetAnnotationByName(grain, "ResourceName"), &text), D3D_OK);
    EXPECT_STREQ(text, "grain.png");
    // The parameter's name does as well as its handle.
    EXPECT_EQ(effect->GetAnnotationByName("Grain", "ResourceName"),
              effect->GetAnnotationByName(grain, "ResourceName"));
    EXPECT_EQ(effect->GetAnnotation(grain, 0), effect->GetAnnotationByName(grain, "ResourceName"));
    EXPECT_EQ(effect->GetAnnotationByName(grain, "resourcename"), nullptr);
    EXPECT_EQ(effect->GetAnnotationByName(grain, "Type"), nullptr);
    EXPECT_EQ(effect->GetString(effect->GetAnnotationByName(grain, "Weight"), &text),
              D3DERR_INVALIDCALL)
        << "not a string";
    EXPECT_EQ(effect->GetString(nullptr, &text), D3DERR_INVALIDCALL);

    const D3DXHANDLE technique = effect->GetTechniqueByName("Paint");
    ASSERT_EQ(effect->GetString(effect->GetAnnotationByName(technique, "Purpose"), &text), D3D_OK);
    EXPECT_STREQ(text, "test");
    D3DXPASS_DESC pass{};
    ASSERT_EQ(effect->GetPassDesc(effect->GetPass(technique, 0), &pass), D3D_OK);
    EXPECT_STREQ(pass.Name, "P0");
    EXPECT_EQ(effect->GetPass(technique, 1), nullptr);
}

TEST_F(D3DXEffectTest, ValuesTakeWhatFitsAndKeepTheirInitialisers) {
    ID3DXEffect* effect = Create("#include \"common.fxh\"\nfloat3 Light;\nfloat4x4 World;\n"
                                 "float Weights[3] = {1, 2, 3};\nint Count = 7;\nbool On;\n"
                                 "texture Grain;\n");
    ASSERT_NE(effect, nullptr);
    D3DXVECTOR4 tint;
    ASSERT_EQ(effect->GetVector("Tint", &tint), D3D_OK);
    EXPECT_EQ(tint.y, 0.5f) << "initialiser from the include";

    const float four[4] = {1, 2, 3, 4};
    EXPECT_EQ(effect->SetFloatArray("Light", four, 4), D3D_OK);
    float light[4] = {9, 9, 9, 9};
    EXPECT_EQ(effect->GetFloatArray("Light", light, 4), D3D_OK);
    EXPECT_THAT(light, testing::ElementsAre(1, 2, 3, 9)) << "a float3 takes three";

    EXPECT_EQ(effect->SetFloat("Weights", 8.0f), D3D_OK);
    float weights[3] = {};
    EXPECT_EQ(effect->GetFloatArray("Weights", weights, 3), D3D_OK);
    EXPECT_THAT(weights, testing::ElementsAre(8, 2, 3));

    D3DXMATRIX world;
    for (int i = 0; i < 16; ++i)
        world.m[i / 4][i % 4] = static_cast<float>(i);
    EXPECT_EQ(effect->SetMatrix("World", &world), D3D_OK);
    D3DXMATRIX back;
    EXPECT_EQ(effect->GetMatrix("World", &back), D3D_OK);
    EXPECT_EQ(std::memcmp(&back, &world, sizeof world), 0);

    float number = 0.0f;
    EXPECT_EQ(effect->GetFloat("Count", &number), D3D_OK);
    EXPECT_EQ(number, 7.0f);
    EXPECT_EQ(effect->SetBool("On", 5), D3D_OK);
    EXPECT_EQ(effect->GetFloat("On", &number), D3D_OK);
    EXPECT_EQ(number, 1.0f);

    EXPECT_EQ(effect->SetFloat("Grain", 1.0f), D3DERR_INVALIDCALL) << "a texture has no numbers";
    EXPECT_EQ(effect->SetTexture("Tint", nullptr), D3DERR_INVALIDCALL) << "a vector has no texture";
}

TEST_F(D3DXEffectTest, TexturesAreHeldWhileSet) {
    IDirect3DVolumeTexture9* first = MakeTexture();
    IDirect3DVolumeTexture9* second = MakeTexture();
    ID3DXEffect* effect = Create("texture Grain : GRAIN;\n");
    ASSERT_NE(effect, nullptr);

    EXPECT_EQ(effect->SetTexture("Grain", first), D3D_OK);
    EXPECT_EQ(References(first), 2u);
    IDirect3DBaseTexture9* got = nullptr;
    EXPECT_EQ(effect->GetTexture("Grain", &got), D3D_OK);
    EXPECT_EQ(got, first);
    got->Release();
    EXPECT_EQ(effect->SetTexture("Grain", second), D3D_OK);
    EXPECT_EQ(References(first), 1u) << "released on replacement";
    EXPECT_EQ(References(second), 2u);

    effects.clear();
    effect->Release();
    EXPECT_EQ(References(second), 1u) << "released with the effect";
    first->Release();
    second->Release();
}

TEST_F(D3DXEffectTest, SharedParametersAreOneValuePerPool) {
    ID3DXEffectPool* pool = nullptr;
    ASSERT_EQ(D3DXCreateEffectPool(&pool), D3D_OK);
    const std::string declarations = "shared float4 Eye : EYEPOS = {1, 1, 1, 1};\nfloat Own = 3;\n";
    ID3DXEffect* global = Create(declarations, pool);
    ID3DXEffect* pooled = Create("float Other;\n" + declarations, pool);
    ID3DXEffect* alone = Create(declarations);
    ASSERT_TRUE(global && pooled && alone);

    const D3DXVECTOR4 eye(5, 6, 7, 8);
    EXPECT_EQ(global->SetVector(global->GetParameterBySemantic(nullptr, "EYEPOS"), &eye), D3D_OK);
    EXPECT_EQ(global->SetFloat("Own", 9.0f), D3D_OK);
    D3DXVECTOR4 seen;
    EXPECT_EQ(pooled->GetVector("Eye", &seen), D3D_OK);
    EXPECT_EQ(seen.z, 7.0f) << "the pooled effect sees the global effect's value";
    EXPECT_EQ(alone->GetVector("Eye", &seen), D3D_OK);
    EXPECT_EQ(seen.z, 1.0f) << "an effect without the pool has its own";
    float own = 0.0f;
    EXPECT_EQ(pooled->GetFloat("Own", &own), D3D_OK);
    EXPECT_EQ(own, 3.0f) << "parameters not declared shared are each effect's own";

    D3DXPARAMETER_DESC desc{};
    ASSERT_EQ(pooled->GetParameterDesc("Eye", &desc), D3D_OK);
    EXPECT_EQ(desc.Flags, D3DX_PARAMETER_SHARED);
    ID3DXEffectPool* reported = nullptr;
    EXPECT_EQ(pooled->GetPool(&reported), D3D_OK);
    EXPECT_EQ(reported, pool);
    reported->Release();

    // A declaration of another type does not fit the pool's value.
    const std::string mismatch = "shared float3 Eye;";
    ID3DXEffect* wrong = nullptr;
    ID3DXBuffer* errors = nullptr;
    EXPECT_EQ(D3DXCreateEffect(g_pd3dDevice, mismatch.data(), static_cast<UINT>(mismatch.size()),
                               nullptr, nullptr, 0, pool, &wrong, &errors),
              D3DXERR_INVALIDDATA);
    ASSERT_NE(errors, nullptr);
    EXPECT_STREQ(static_cast<const char*>(errors->GetBufferPointer()),
                 "effect(1): error: shared parameter 'Eye' differs in type or size from its "
                 "declaration in the pool");
    errors->Release();
    pool->Release();
}

TEST_F(D3DXEffectTest, SharedTextureIsReleasedWithTheLastEffectThatDeclaresIt) {
    ID3DXEffectPool* pool = nullptr;
    ASSERT_EQ(D3DXCreateEffectPool(&pool), D3D_OK);
    IDirect3DVolumeTexture9* noise = MakeTexture();
    ID3DXEffect* first = Create("shared texture Noise : NOISETEX;\n", pool);
    ID3DXEffect* second = Create("shared texture Noise : NOISETEX;\n", pool);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(first->SetTexture("Noise", noise), D3D_OK);
    IDirect3DBaseTexture9* seen = nullptr;
    EXPECT_EQ(second->GetTexture("Noise", &seen), D3D_OK);
    EXPECT_EQ(seen, noise);
    seen->Release();
    EXPECT_EQ(References(noise), 2u) << "one reference for the shared value";

    effects.clear();
    first->Release();
    EXPECT_EQ(References(noise), 2u);
    second->Release();
    EXPECT_EQ(References(noise), 1u);
    ID3DXEffect* later = Create("shared texture Noise : NOISETEX;\n", pool);
    EXPECT_EQ(later->GetTexture("Noise", &seen), D3D_OK);
    EXPECT_EQ(seen, nullptr) << "the shared value went with the effects that declared it";
    noise->Release();
    pool->Release();
}

TEST_F(D3DXEffectTest, PassesRunTheirProgramWithTheUploadedValues) {
    ID3DXEffect* effect =
        Create(WithTechnique("#include \"common.fxh\"\nfloat4x4 World;\nsampler2D Grain;\n",
                             "World * Tint + texture(Grain, vec2(0.5))"));
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->GetCurrentTechnique(), effect->GetTechniqueByName("Paint"));
    UINT passes = 0;
    EXPECT_EQ(effect->BeginPass(0), D3DERR_INVALIDCALL) << "before Begin";
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    EXPECT_EQ(passes, 1u);
    EXPECT_EQ(effect->BeginPass(1), D3DERR_INVALIDCALL);
    ASSERT_EQ(effect->BeginPass(0), D3D_OK);
    const GLuint program = CurrentProgram();
    ASSERT_NE(program, 0u);
    EXPECT_EQ(glIsProgram(program), GL_TRUE);
    EXPECT_THAT(UniformValues("Tint", 4), testing::ElementsAre(0.25f, 0.5f, 0.75f, 1.0f));
    GLint unit = -1;
    glGetUniformiv(program, glGetUniformLocation(program, "Grain"), &unit);
    EXPECT_EQ(unit, 0);

    // Values set during the pass reach the program with CommitChanges, and matrices go up as
    // the row-major memory they are.
    D3DXMATRIX world;
    for (int i = 0; i < 16; ++i)
        world.m[i / 4][i % 4] = static_cast<float>(i + 1);
    const D3DXVECTOR4 tint(1, 0, 0, 1);
    EXPECT_EQ(effect->SetMatrix("World", &world), D3D_OK);
    EXPECT_EQ(effect->SetVector("Tint", &tint), D3D_OK);
    EXPECT_THAT(UniformValues("Tint", 4), testing::ElementsAre(0.25f, 0.5f, 0.75f, 1.0f));
    EXPECT_EQ(effect->CommitChanges(), D3D_OK);
    EXPECT_THAT(UniformValues("Tint", 4), testing::ElementsAre(1, 0, 0, 1));
    std::vector<float> expected(&world.m[0][0], &world.m[0][0] + 16);
    EXPECT_EQ(UniformValues("World", 16), expected);

    EXPECT_EQ(effect->EndPass(), D3D_OK);
    EXPECT_EQ(effect->CommitChanges(), D3DERR_INVALIDCALL) << "outside a pass";
    EXPECT_EQ(effect->End(), D3D_OK);
    EXPECT_EQ(CurrentProgram(), 0u) << "the device's own program is back";
    EXPECT_EQ(effect->End(), D3DERR_INVALIDCALL);
}

TEST_F(D3DXEffectTest, TechniquesAreSelectedByHandleOrName) {
    ID3DXEffect* effect = Create(WithTechnique("float4 Tint;\n") +
                                 "technique Other { pass A { VertexShader = VS; PixelShader = PS; }"
                                 " pass B { VertexShader = VS; PixelShader = PS; } }\n");
    ASSERT_NE(effect, nullptr);
    EXPECT_EQ(effect->SetTechnique("Other"), D3D_OK);
    EXPECT_EQ(effect->GetCurrentTechnique(), effect->GetTechnique(1));
    EXPECT_EQ(effect->SetTechnique("Missing"), D3DERR_INVALIDCALL);
    EXPECT_EQ(effect->GetCurrentTechnique(), effect->GetTechnique(1)) << "unchanged";
    EXPECT_EQ(effect->SetTechnique("Tint"), D3DERR_INVALIDCALL) << "a parameter's name";
    UINT passes = 0;
    ASSERT_EQ(effect->Begin(&passes, 0), D3D_OK);
    EXPECT_EQ(passes, 2u);
    EXPECT_EQ(effect->SetTechnique("Paint"), D3DERR_INVALIDCALL) << "while running";
    EXPECT_EQ(effect->End(), D3D_OK);

    ID3DXEffect* bare = Create("float4 Tint;\n");
    EXPECT_EQ(bare->GetCurrentTechnique(), nullptr);
    EXPECT_EQ(bare->Begin(&passes, 0), D3DERR_INVALIDCALL);
}

} // namespace
