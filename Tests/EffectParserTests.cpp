#include "EffectTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(EffectParser, SampleEffectGivesItsDescription) {
    const EffectDescription effect = ParseEffect(sampleEffect, SampleIncludes());

    ASSERT_EQ(effect.parameters.size(), 6u);
    const EffectParameter& brightness = effect.parameters[0];
    EXPECT_EQ(brightness.name, "Brightness");
    EXPECT_EQ(brightness.semantic, "BRIGHTNESS");
    EXPECT_EQ(brightness.initialValues, std::vector<float>{0.5f});
    EXPECT_EQ(brightness.location.file, "common.fxh");

    const EffectParameter& viewProj = effect.parameters[1];
    EXPECT_EQ(viewProj.name, "ViewProj");
    EXPECT_TRUE(viewProj.shared);
    EXPECT_EQ(viewProj.type, (EffectType{EffectBaseType::Float, 4, 4}));
    EXPECT_EQ(viewProj.semantic, "VIEWPROJ");
    EXPECT_EQ(viewProj.location.file, "test.fx");
    EXPECT_EQ(viewProj.location.line, 3);

    EXPECT_TRUE(effect.parameters[2].shared);
    EXPECT_EQ(effect.parameters[2].type.base, EffectBaseType::Texture);
    EXPECT_FALSE(effect.parameters[3].shared);
    EXPECT_EQ(effect.parameters[3].initialValues, (std::vector<float>{1, 1, 1, 1}));

    const EffectParameter& grain = effect.parameters[4];
    EXPECT_EQ(grain.semantic, "TEXTURE0");
    ASSERT_EQ(grain.annotations.size(), 2u);
    EXPECT_EQ(grain.annotations[0].name, "ResourceName");
    EXPECT_EQ(grain.annotations[0].text, "grain.png");
    EXPECT_EQ(grain.annotations[1].name, "Filter");
    EXPECT_EQ(grain.annotations[1].text, "NONE");

    const EffectParameter& sampler = effect.parameters[5];
    EXPECT_EQ(sampler.type.base, EffectBaseType::Sampler2D);
    EXPECT_EQ(sampler.samplerTexture, "Grain");
    ASSERT_EQ(sampler.samplerStates.size(), 2u);
    EXPECT_EQ(sampler.samplerStates[0].state, 6u); // D3DSAMP_MINFILTER
    EXPECT_EQ(sampler.samplerStates[0].value, 2u); // D3DTEXF_LINEAR
    EXPECT_EQ(sampler.samplerStates[1].state, 1u); // D3DSAMP_ADDRESSU
    EXPECT_EQ(sampler.samplerStates[1].value, 1u); // D3DTADDRESS_WRAP

    ASSERT_EQ(effect.functions.size(), 2u);
    const EffectFunction& vertex = effect.functions[0];
    EXPECT_EQ(vertex.stage, EffectFunction::Stage::Vertex);
    EXPECT_EQ(vertex.name, "QuadVS");
    ASSERT_EQ(vertex.parameters.size(), 3u);
    EXPECT_EQ(vertex.parameters[0].type, (EffectType{EffectBaseType::Float, 1, 3}));
    EXPECT_EQ(vertex.parameters[0].semantic, "POSITION");
    EXPECT_FALSE(vertex.parameters[1].out);
    EXPECT_TRUE(vertex.parameters[2].out);
    EXPECT_EQ(vertex.parameters[2].name, "vUv");
    EXPECT_EQ(vertex.body, "\n    gl_Position = vec4(pos, 1.0);\n    vUv = uv;\n");
    EXPECT_EQ(effect.functions[1].stage, EffectFunction::Stage::Fragment);
    EXPECT_EQ(effect.functions[1].name, "BlitPS");

    ASSERT_EQ(effect.techniques.size(), 1u);
    EXPECT_EQ(effect.techniques[0].name, "BlitQuad");
    ASSERT_EQ(effect.techniques[0].passes.size(), 1u);
    const EffectPass& pass = effect.techniques[0].passes[0];
    EXPECT_EQ(pass.name, "P0");
    EXPECT_EQ(pass.vertexShader, "QuadVS");
    EXPECT_EQ(pass.pixelShader, "BlitPS");
    ASSERT_EQ(pass.renderStates.size(), 2u);
    EXPECT_EQ(pass.renderStates[0].state, 7u); // D3DRS_ZENABLE
    EXPECT_EQ(pass.renderStates[0].value, 0u);
    EXPECT_EQ(pass.renderStates[1].state, 22u); // D3DRS_CULLMODE
    EXPECT_EQ(pass.renderStates[1].value, 1u);  // D3DCULL_NONE
}

TEST(EffectParser, EveryParameterType) {
    struct Case {
        const char* declaration;
        EffectType type;
        int arraySize;
    };
    const Case cases[] = {
        {"float A;", {EffectBaseType::Float, 1, 1}, 0},
        {"float2 A;", {EffectBaseType::Float, 1, 2}, 0},
        {"float3 A;", {EffectBaseType::Float, 1, 3}, 0},
        {"float4 A;", {EffectBaseType::Float, 1, 4}, 0},
        {"float4x4 A;", {EffectBaseType::Float, 4, 4}, 0},
        {"float4 A[8];", {EffectBaseType::Float, 1, 4}, 8},
        {"float4x4 A[2];", {EffectBaseType::Float, 4, 4}, 2},
        {"float A[0x10];", {EffectBaseType::Float, 1, 1}, 16},
        {"int A;", {EffectBaseType::Int, 1, 1}, 0},
        {"bool A;", {EffectBaseType::Bool, 1, 1}, 0},
        {"texture A;", {EffectBaseType::Texture, 1, 1}, 0},
        {"texture2D A;", {EffectBaseType::Texture2D, 1, 1}, 0},
        {"textureCUBE A;", {EffectBaseType::TextureCube, 1, 1}, 0},
        {"texture3D A;", {EffectBaseType::Texture3D, 1, 1}, 0},
        {"sampler A;", {EffectBaseType::Sampler2D, 1, 1}, 0},
        {"sampler2D A;", {EffectBaseType::Sampler2D, 1, 1}, 0},
        {"samplerCUBE A;", {EffectBaseType::SamplerCube, 1, 1}, 0},
        {"sampler3D A;", {EffectBaseType::Sampler3D, 1, 1}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declaration);
        const EffectDescription effect = ParseEffect(c.declaration);
        ASSERT_EQ(effect.parameters.size(), 1u);
        EXPECT_EQ(effect.parameters[0].type, c.type);
        EXPECT_EQ(effect.parameters[0].arraySize, c.arraySize);
        EXPECT_TRUE(effect.parameters[0].semantic.empty());
    }
}

TEST(EffectParser, InitialValuesAndSemantics) {
    struct Case {
        const char* declaration;
        const char* semantic;
        std::vector<float> values;
    };
    const Case cases[] = {
        {"float A : fade = -0.25;", "FADE", {-0.25f}},
        {"float A = 2.5f;", "", {2.5f}},
        {"float A = 1e-2;", "", {0.01f}},
        {"int A : Count = 3;", "COUNT", {3}},
        {"bool A = true;", "", {1}},
        {"float2 A = {0, -1};", "", {0, -1}},
        {"float3 A = {.5, 1, 2};", "", {0.5f, 1, 2}},
        {"float2 A[2] = {1, 2, 3, 4};", "", {1, 2, 3, 4}},
        {"float4x4 A = {1,0,0,0, 0,1,0,0, 0,0,1,0, 0,0,0,1};",
         "",
         {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
        {"float4 A = {};", "", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declaration);
        const EffectDescription effect = ParseEffect(c.declaration);
        ASSERT_EQ(effect.parameters.size(), 1u);
        EXPECT_EQ(effect.parameters[0].semantic, c.semantic);
        EXPECT_EQ(effect.parameters[0].initialValues, c.values);
    }
}

TEST(EffectParser, AnnotationsOfEveryKind) {
    const EffectDescription effect = ParseEffect(
        "texture T : TEXTURE3 < string ResourceName = \"sky.dds\"; string Type = \"CUBE\";\n"
        "    float Scale = -1.5; int Count = 4; bool Linear = false; >;\n"
        "technique T1 < string Group = \"post\"; > { pass P < int Order = 2; > { } }\n");
    ASSERT_EQ(effect.parameters.size(), 1u);
    const std::vector<EffectAnnotation>& annotations = effect.parameters[0].annotations;
    ASSERT_EQ(annotations.size(), 5u);
    using Kind = EffectAnnotation::Kind;
    EXPECT_EQ(annotations[1].kind, Kind::String);
    EXPECT_EQ(annotations[1].text, "CUBE");
    EXPECT_EQ(annotations[2].kind, Kind::Float);
    EXPECT_EQ(annotations[2].number, -1.5f);
    EXPECT_EQ(annotations[3].kind, Kind::Int);
    EXPECT_EQ(annotations[3].number, 4.0f);
    EXPECT_EQ(annotations[4].kind, Kind::Bool);
    EXPECT_EQ(annotations[4].number, 0.0f);
    ASSERT_EQ(effect.techniques.size(), 1u);
    ASSERT_EQ(effect.techniques[0].annotations.size(), 1u);
    EXPECT_EQ(effect.techniques[0].annotations[0].text, "post");
    ASSERT_EQ(effect.techniques[0].passes[0].annotations.size(), 1u);
    EXPECT_EQ(effect.techniques[0].passes[0].annotations[0].number, 2.0f);
}

TEST(EffectParser, SamplerStates) {
    const EffectDescription effect = ParseEffect(
        "texture3D Vol;\n"
        "sampler3D S = sampler_state {\n"
        "    texture = (Vol); MINFILTER = point; MagFilter = Anisotropic;\n"
        "    MipFilter = None; AddressU = Clamp; AddressV = Mirror; AddressW = Border;\n"
        "    BorderColor = 0xFF00FF00; MaxAnisotropy = 4; MaxMipLevel = 1;\n"
        "};\n");
    const EffectParameter& sampler = effect.parameters[1];
    EXPECT_EQ(sampler.samplerTexture, "Vol");
    struct Expected {
        std::uint32_t state;
        std::uint32_t value;
    };
    const Expected expected[] = {{6, 1}, {5, 3},           {7, 0},  {1, 3}, {2, 2},
                                 {3, 4}, {4, 0xFF00FF00u}, {10, 4}, {9, 1}};
    ASSERT_EQ(sampler.samplerStates.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(sampler.samplerStates[i].state, expected[i].state) << i;
        EXPECT_EQ(sampler.samplerStates[i].value, expected[i].value) << i;
    }
}

TEST(EffectParser, RenderStatesOfPasses) {
    struct Case {
        const char* assignment;
        std::uint32_t state;
        std::uint32_t value;
    };
    const Case cases[] = {
        {"ZEnable = true", 7, 1},
        {"ZWriteEnable = FALSE", 14, 0},
        {"ZFunc = LessEqual", 23, 4},
        {"CullMode = CCW", 22, 3},
        {"AlphaBlendEnable = true", 27, 1},
        {"SrcBlend = SrcAlpha", 19, 5},
        {"DestBlend = InvSrcAlpha", 20, 6},
        {"BlendOp = RevSubtract", 171, 3},
        {"ColorWriteEnable = Red | Green | Alpha", 168, 11},
        {"ColorWriteEnable = 0", 168, 0},
        {"AlphaTestEnable = true", 15, 1},
        {"AlphaRef = 0x80", 24, 128},
        {"AlphaFunc = Greater", 25, 5},
        {"FillMode = Wireframe", 8, 2},
        {"StencilEnable = true", 52, 1},
        {"StencilFunc = NotEqual", 56, 6},
        {"StencilRef = 1", 57, 1},
        {"StencilPass = Replace", 55, 3},
        {"StencilFail = Keep", 53, 1},
        {"StencilZFail = IncrSat", 54, 4},
        {"StencilMask = 0xFF", 58, 255},
        {"StencilWriteMask = 0x0F", 59, 15},
        {"SeparateAlphaBlendEnable = true", 206, 1},
        {"SrcBlendAlpha = One", 207, 2},
        {"DestBlendAlpha = Zero", 208, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.assignment);
        const EffectDescription effect =
            ParseEffect(std::string("technique T { pass P { ") + c.assignment + "; } }");
        const std::vector<EffectStateAssignment>& states =
            effect.techniques[0].passes[0].renderStates;
        ASSERT_EQ(states.size(), 1u);
        EXPECT_EQ(states[0].state, c.state);
        EXPECT_EQ(states[0].value, c.value);
    }
}

TEST(EffectParser, TechniquesKeepTheirPassesInOrder) {
    const EffectDescription effect = ParseEffect(
        "vertex V(float4 p : POSITION) { gl_Position = p; }\n"
        "fragment F(out float4 c : COLOR0) { c = vec4(1.0); }\n"
        "fragment G(out float4 c : COLOR) { c = vec4(0.0); }\n"
        "technique First { pass A { VertexShader = V; PixelShader = F; }\n"
        "                  pass B { ZEnable = false; VertexShader = V; PixelShader = G; } }\n"
        "technique Second { pass Only { CullMode = CW; } }\n");
    ASSERT_EQ(effect.techniques.size(), 2u);
    const EffectTechnique& first = effect.techniques[0];
    ASSERT_EQ(first.passes.size(), 2u);
    EXPECT_EQ(first.passes[0].name, "A");
    EXPECT_EQ(first.passes[1].name, "B");
    EXPECT_EQ(first.passes[1].pixelShader, "G");
    EXPECT_EQ(first.passes[1].location.line, 5);
    EXPECT_EQ(effect.techniques[1].name, "Second");
    EXPECT_TRUE(effect.techniques[1].passes[0].vertexShader.empty());
}

TEST(EffectParser, SharedCodeIsKeptVerbatimInOrder) {
    const EffectDescription effect =
        ParseEffect("const float PI = 3.14159;\n"
                    "float Fade : FADE;\n"
                    "struct Light { vec3 colour; float power; };\n"
                    "vec3 Tint(vec3 c) { if (c.r > 0.5) { return c; } return c * Fade; }\n"
                    "float Luma(vec3 c) { return dot(c, vec3(0.3, 0.59, 0.11)); }\n");
    ASSERT_EQ(effect.parameters.size(), 1u);
    EXPECT_EQ(effect.sharedCode,
              "const float PI = 3.14159;\n"
              "struct Light { vec3 colour; float power; };\n"
              "vec3 Tint(vec3 c) { if (c.r > 0.5) { return c; } return c * Fade; }\n"
              "float Luma(vec3 c) { return dot(c, vec3(0.3, 0.59, 0.11)); }\n");
}

TEST(EffectParser, FunctionBodiesKeepBracesAndCommentsOfGlsl) {
    const EffectDescription effect =
        ParseEffect("fragment F(out float4 c : COLOR0) {\n"
                    "    // a } in a comment\n"
                    "    /* and { here */ if (true) { c = vec4(1.0); }\n"
                    "}\n"
                    "float After;\n");
    EXPECT_EQ(effect.functions[0].body,
              "\n    // a } in a comment\n    /* and { here */ if (true) { c = vec4(1.0); }\n");
    EXPECT_EQ(effect.parameters[0].location.line, 5);
}

TEST(EffectParser, NestedIncludesKeepTheirFilesAndLines) {
    MapIncludes includes{{"a.fxh", "float A;\n#include \"b.fxh\"\nfloat A2;\n"},
                         {"b.fxh", "\n  #include \"c.fxh\"\nfloat B;\n"},
                         {"c.fxh", "float C;"}};
    const EffectDescription effect =
        ParseEffect("float Main1;\n#include \"a.fxh\"\nfloat Main3;\n", includes);
    struct Expected {
        const char* name;
        const char* file;
        int line;
    };
    const Expected expected[] = {{"Main1", "test.fx", 1}, {"A", "a.fxh", 1},
                                 {"C", "c.fxh", 1},       {"B", "b.fxh", 3},
                                 {"A2", "a.fxh", 3},      {"Main3", "test.fx", 3}};
    ASSERT_EQ(effect.parameters.size(), std::size(expected));
    for (std::size_t i = 0; i < std::size(expected); ++i) {
        EXPECT_EQ(effect.parameters[i].name, expected[i].name);
        EXPECT_EQ(effect.parameters[i].location.file, expected[i].file) << expected[i].name;
        EXPECT_EQ(effect.parameters[i].location.line, expected[i].line) << expected[i].name;
    }
}

TEST(EffectParser, IncludeFaultsNameTheIncludingLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"float A;\n#include \"missing.fxh\"\n",
         "test.fx(2): error: cannot open include file 'missing.fxh'"},
        {"#include \"outer.fxh\"\n", "outer.fxh(2): error: cannot open include file 'gone.fxh'"},
        {"#include \"self.fxh\"\n", "self.fxh(1): error: includes nested too deeply at 'self.fxh'"},
        {"#include <angled.fxh>\n", "test.fx(1): error: #include expects \"file name\""},
        {"#include \"bad.fxh\"\n", "bad.fxh(3): error: unknown type 'float5'"},
    };
    const MapIncludes includes{{"outer.fxh", "float A;\n#include \"gone.fxh\"\n"},
                               {"self.fxh", "#include \"self.fxh\"\n"},
                               {"bad.fxh", "float A;\r\n\r\nfloat5 B;\r\n"}};
    for (const Case& c : cases)
        EXPECT_EQ(EffectErrorOf(c.text, includes), c.message);
}

TEST(EffectParser, SyntaxErrorsGiveFileLineAndText) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"float A\nfloat B;", "test.fx(2): error: expected ';' but found 'float'"},
        {"float A", "test.fx(1): error: expected ';' but found end of file"},
        {"float4 A = {1, 2", "test.fx(1): error: expected '}' but found end of file"},
        {"float2 A = {1, 2, 3};", "test.fx(1): error: too many initial values for 'A'"},
        {"float A = 1.2.3;", "test.fx(1): error: invalid number '1.2.3'"},
        {"float A = x;", "test.fx(1): error: expected a number but found 'x'"},
        {"float A;\nint A;", "test.fx(2): error: redefinition of 'A'"},
        {"\n\nhalf4 A;", "test.fx(3): error: unknown type 'half4'"},
        {"float A[0];", "test.fx(1): error: invalid array size 0"},
        {"texture T = 1;", "test.fx(1): error: texture 'T' cannot have an initial value"},
        {"texture T < float2 Size = 1; >;",
         "test.fx(1): error: unsupported annotation type 'float2'"},
        {"texture T < string Name = 3; >;", "test.fx(1): error: expected a string but found '3'"},
        {"texture T < string Name = \"open\n; >;", "test.fx(1): error: unterminated string"},
        {"float A;\n/* never closed", "test.fx(2): error: unterminated comment"},
        {"sampler S = { };", "test.fx(1): error: expected sampler_state but found '{'"},
        {"sampler S = sampler_state { Texture = <Nothing>; };",
         "test.fx(1): error: 'Nothing' is not a texture"},
        {"float F;\nsampler S = sampler_state {\n Texture = <F>; };",
         "test.fx(3): error: 'F' is not a texture"},
        {"sampler S = sampler_state {\n  MinFilter = Bilinear; };",
         "test.fx(2): error: invalid value 'Bilinear' for state 'MinFilter'"},
        {"sampler S = sampler_state {\n\n  Filter = Linear; };",
         "test.fx(3): error: unknown sampler state 'Filter'"},
        {"technique T {\n pass P {\n  ZEnable = false;\n  DepthEnable = true;\n }\n}",
         "test.fx(4): error: unknown state 'DepthEnable'"},
        {"technique T { pass P { CullMode = Back; } }",
         "test.fx(1): error: invalid value 'Back' for state 'CullMode'"},
        {"technique T { pass P { ZFunc = ; } }",
         "test.fx(1): error: invalid value ';' for state 'ZFunc'"},
        {"technique T { P0 { } }", "test.fx(1): error: expected 'pass' but found 'P0'"},
        {"technique T { pass P { } }\ntechnique T { }",
         "test.fx(2): error: redefinition of technique 'T'"},
        {"technique T { pass P {\n VertexShader = Missing; } }",
         "test.fx(2): error: 'Missing' is not a vertex function"},
        {"vertex V(float4 p : POSITION) { }\ntechnique T { pass P { PixelShader = V; } }",
         "test.fx(2): error: 'V' is not a fragment function"},
        {"vertex V(float4 p) { }", "test.fx(1): error: parameter 'p' of 'V' needs a semantic"},
        {"vertex V(sampler2D s : TEXCOORD0) { }",
         "test.fx(1): error: invalid type 'sampler2D' for a stage parameter"},
        {"vertex V(float2 a : TEXCOORD0, float2 b : texcoord0) { }",
         "test.fx(1): error: semantic TEXCOORD0 used twice in 'V'"},
        {"vertex V(float2 a : TEXCOORD0, float2 b : TEXCOORD) { }",
         "test.fx(1): error: semantic TEXCOORD used twice in 'V'"},
        {"fragment F(out float4 c : COLOR0) {\n  if (true) {\n",
         "test.fx(1): error: '{' has no matching '}'"},
        {"vec3 Helper(vec3 c)", "test.fx(1): error: unexpected end of file in 'vec3'"},
        {"; float A;", "test.fx(1): error: expected a declaration but found ';'"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(EffectErrorOf(c.text), c.message) << c.text;
}

} // namespace
