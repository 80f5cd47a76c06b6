#include "DeviceFixture.h"
#include "EffectTestSupport.h"
#include "Platform/D3DX9/GlslGenerator.h"

#include <epoxy/gl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

GlslProgram Generate(const EffectDescription& effect, std::size_t technique = 0,
                     std::size_t pass = 0) {
    return GlslGenerator(effect).Generate(effect.techniques.at(technique).passes.at(pass));
}

std::string GenerationErrorOf(const std::string& text) {
    const EffectDescription effect = ParseEffect(text);
    try {
        Generate(effect);
    } catch (const EffectError& error) {
        return error.what();
    }
    return "no error";
}

// A vertex function that passes its inputs through, and a fragment function with a pass of
// the given states.
std::string EffectWithPassStates(const std::string& states) {
    return "vertex V(float4 p : POSITION) { gl_Position = p; }\n"
           "fragment F(out float4 c : COLOR0) { c = vec4(0.5); }\n"
           "technique T { pass P { " +
           states + " VertexShader = V; PixelShader = F; } }\n";
}

const char* multipleTargetsEffect = R"(
float4x4 Bones[4] : BONES;
int Mode : MODE;
bool Invert : INVERT;
samplerCUBE Sky;
sampler3D Noise;
vec3 Shade(vec3 n) { return n * 0.5 + 0.5; }
vertex SkinVS(float4 pos : POSITION, float3 n : NORMAL, float4 w : BLENDWEIGHT,
              float4 col : COLOR1, float2 uv : TEXCOORD7, out float4 clip : POSITION,
              out float4 vN : TEXCOORD1, out float4 vCol : COLOR0, out int vId : TEXCOORD2) {
    clip = Bones[0] * pos;
    vN = vec4(n, w.x);
    vCol = col + vec4(uv, 0.0, 0.0);
    vId = gl_VertexID;
}
fragment MrtPS(float3 vN : TEXCOORD1, float4 vCol : COLOR0, int id : TEXCOORD2,
               out float4 c0 : COLOR0, out float4 c1 : COLOR1, out float2 c2 : COLOR2,
               out float c3 : COLOR3, out float depth : DEPTH) {
    c0 = vCol * texture(Sky, vN);
    c1 = vec4(Shade(vN), float(Mode));
    c2 = Invert ? vec2(1.0) : texture(Noise, vN).xy;
    c3 = float(id);
    depth = 0.5;
}
technique Mrt { pass P0 { VertexShader = SkinVS; PixelShader = MrtPS; } }
)";

TEST(GlslGenerator, SampleEffectDeclaresUniformsInputsAndOutputs) {
    const GlslProgram program = Generate(ParseEffect(sampleEffect, SampleIncludes()));
    for (const std::string* source : {&program.vertexSource, &program.fragmentSource}) {
        EXPECT_EQ(source->rfind("#version 330 core\n", 0), 0u);
        EXPECT_THAT(*source, HasSubstr("uniform float Brightness;\n"));
        EXPECT_THAT(*source, HasSubstr("uniform mat4 ViewProj;\n"));
        EXPECT_THAT(*source, HasSubstr("uniform vec4 Value1;\n"));
        EXPECT_THAT(*source, HasSubstr("uniform sampler2D GrainS;\n"));
        EXPECT_THAT(*source, Not(HasSubstr("Grain;")));
        EXPECT_THAT(*source, Not(HasSubstr("NoiseTex")));
    }
    const std::string& vertex = program.vertexSource;
    EXPECT_THAT(vertex, HasSubstr("layout(location = 0) in vec3 lv_in_POSITION0;\n"));
    EXPECT_THAT(vertex, HasSubstr("layout(location = 8) in vec2 lv_in_TEXCOORD0;\n"));
    EXPECT_THAT(vertex, HasSubstr("out vec2 lv_v_TEXCOORD0;\n"));
    EXPECT_THAT(vertex, HasSubstr("void QuadVS(in vec3 pos, in vec2 uv, out vec2 vUv) {\n"
                                  "    gl_Position = vec4(pos, 1.0);\n    vUv = uv;\n}\n"));
    EXPECT_THAT(vertex, HasSubstr("QuadVS(lv_in_POSITION0, lv_in_TEXCOORD0, lv_v_TEXCOORD0);\n"
                                  "    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;\n"
                                  "    gl_Position.y = -gl_Position.y;\n}\n"));

    const std::string& fragment = program.fragmentSource;
    EXPECT_THAT(fragment, HasSubstr("in vec2 lv_v_TEXCOORD0;\n"));
    EXPECT_THAT(fragment, HasSubstr("layout(location = 0) out vec4 lv_out_COLOR0;\n"));
    EXPECT_THAT(fragment, HasSubstr("BlitPS(lv_v_TEXCOORD0, lv_out_COLOR0);\n}\n"));
    EXPECT_THAT(fragment, Not(HasSubstr("discard")));
}

TEST(GlslGenerator, StagesMeetBySemanticAndColoursGoToTheirTargets) {
    const GlslProgram program = Generate(ParseEffect(multipleTargetsEffect));
    const std::string& vertex = program.vertexSource;
    EXPECT_THAT(vertex, HasSubstr("uniform mat4 Bones[4];\n"));
    EXPECT_THAT(vertex, HasSubstr("uniform int Mode;\n"));
    EXPECT_THAT(vertex, HasSubstr("uniform bool Invert;\n"));
    EXPECT_THAT(vertex, HasSubstr("uniform samplerCube Sky;\n"));
    EXPECT_THAT(vertex, HasSubstr("uniform sampler3D Noise;\n"));
    EXPECT_THAT(vertex, HasSubstr("vec3 Shade(vec3 n) { return n * 0.5 + 0.5; }\n"));
    EXPECT_THAT(vertex, HasSubstr("layout(location = 2) in vec3 lv_in_NORMAL0;\n"));
    EXPECT_THAT(vertex, HasSubstr("layout(location = 1) in vec4 lv_in_BLENDWEIGHT0;\n"));
    EXPECT_THAT(vertex, HasSubstr("layout(location = 4) in vec4 lv_in_COLOR1;\n"));
    EXPECT_THAT(vertex, HasSubstr("layout(location = 15) in vec2 lv_in_TEXCOORD7;\n"));
    EXPECT_THAT(vertex, HasSubstr("out vec4 lv_v_TEXCOORD1;\n"));
    EXPECT_THAT(vertex, HasSubstr("out vec4 lv_v_COLOR0;\n"));
    EXPECT_THAT(vertex, HasSubstr("flat out int lv_v_TEXCOORD2;\n"));
    EXPECT_THAT(vertex, HasSubstr("    gl_Position = lv_position;\n"
                                  "    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;\n"));

    const std::string& fragment = program.fragmentSource;
    EXPECT_THAT(fragment, HasSubstr("in vec4 lv_v_TEXCOORD1;\n"));
    EXPECT_THAT(fragment, HasSubstr("in vec4 lv_v_COLOR0;\n"));
    EXPECT_THAT(fragment, HasSubstr("flat in int lv_v_TEXCOORD2;\n"));
    for (const char* output : {"layout(location = 0) out vec4 lv_out_COLOR0;\n",
                               "layout(location = 1) out vec4 lv_out_COLOR1;\n",
                               "layout(location = 2) out vec2 lv_out_COLOR2;\n",
                               "layout(location = 3) out float lv_out_COLOR3;\n"})
        EXPECT_THAT(fragment, HasSubstr(output));
    EXPECT_THAT(fragment,
                HasSubstr("MrtPS(vec3(lv_v_TEXCOORD1), lv_v_COLOR0, lv_v_TEXCOORD2, lv_out_COLOR0, "
                          "lv_out_COLOR1, lv_out_COLOR2, lv_out_COLOR3, gl_FragDepth);"));
}

TEST(GlslGenerator, AttributeLocationsFollowTheVertexDeclarationTable) {
    struct Case {
        const char* semantic;
        int location;
    };
    const Case cases[] = {
        {"POSITION", 0},   {"POSITION0", 0},    {"BLENDWEIGHT", 1}, {"NORMAL", 2},
        {"COLOR", 3},      {"COLOR0", 3},       {"COLOR1", 4},      {"FOG", 5},
        {"PSIZE", 6},      {"BLENDINDICES", 7}, {"TEXCOORD", 8},    {"TEXCOORD0", 8},
        {"TEXCOORD3", 11}, {"TEXCOORD7", 15},   {"TANGENT", 14},    {"BINORMAL", 15},
        {"TEXCOORD8", -1}, {"COLOR2", -1},      {"POSITION1", -1},  {"VPOS", -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlslGenerator::AttributeLocation(c.semantic), c.location) << c.semantic;
}

TEST(GlslGenerator, AlphaTestIsBakedFromThePassStates) {
    struct Case {
        const char* states;
        const char* test; // nullptr: no test in the program
    };
    const char* greater128 =
        "    if (!(round(clamp(lv_out_COLOR0.a, 0.0, 1.0) * 255.0) > 128.0)) discard;\n";
    const Case cases[] = {
        {"", nullptr},
        {"AlphaFunc = Greater; AlphaRef = 128;", nullptr},
        {"AlphaTestEnable = true;", nullptr}, // Direct3D's default function is Always
        {"AlphaTestEnable = true; AlphaFunc = Greater; AlphaRef = 0x80;", greater128},
        {"AlphaRef = 128; AlphaFunc = Greater; AlphaTestEnable = true;", greater128},
        {"AlphaTestEnable = true; AlphaFunc = Greater; AlphaRef = 128; AlphaTestEnable = false;",
         nullptr},
        {"AlphaTestEnable = true; AlphaFunc = LessEqual;",
         "    if (!(round(clamp(lv_out_COLOR0.a, 0.0, 1.0) * 255.0) <= 0.0)) discard;\n"},
        {"AlphaTestEnable = true; AlphaFunc = Never;", "    discard;\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.states);
        const std::string fragment =
            Generate(ParseEffect(EffectWithPassStates(c.states))).fragmentSource;
        if (c.test == nullptr)
            EXPECT_THAT(fragment, Not(HasSubstr("discard")));
        else
            EXPECT_THAT(fragment, HasSubstr(std::string("    F(lv_out_COLOR0);\n") + c.test));
    }
}

TEST(GlslGenerator, PassesThatCannotBeBuiltAreErrors) {
    struct Case {
        std::string text;
        const char* message;
    };
    const std::string stages =
        "vertex V(float4 p : POSITION, out float2 uv : TEXCOORD0) { gl_Position = p; }\n"
        "fragment F(out float4 c : COLOR0) { c = vec4(1.0); }\n";
    const Case cases[] = {
        {stages + "technique T {\n pass P { PixelShader = F; } }",
         "test.fx(4): error: pass 'P' has no VertexShader"},
        {stages + "technique T {\n pass P { VertexShader = V; } }",
         "test.fx(4): error: pass 'P' has no PixelShader"},
        {"vertex V(float4 p : POSITION) { }\n"
         "fragment F(float2 uv : TEXCOORD3, out float4 c : COLOR0) { }\n"
         "technique T { pass P { VertexShader = V; PixelShader = F; } }",
         "test.fx(2): error: 'F' reads TEXCOORD3, which 'V' does not write"},
        {"vertex V(float4 p : POSITION, out float2 uv : TEXCOORD0) { }\n"
         "fragment F(float4 uv : TEXCOORD0, out float4 c : COLOR0) { }\n"
         "technique T { pass P { VertexShader = V; PixelShader = F; } }",
         "test.fx(2): error: 'F' reads more of TEXCOORD0 than 'V' writes"},
        {"vertex V(float4 p : VPOS) { }\n"
         "fragment F(out float4 c : COLOR0) { }\n"
         "technique T { pass P { VertexShader = V; PixelShader = F; } }",
         "test.fx(1): error: vertex input semantic VPOS has no attribute"},
        {"vertex V(out float3 p : POSITION) { }\n"
         "fragment F(out float4 c : COLOR0) { }\n"
         "technique T { pass P { VertexShader = V; PixelShader = F; } }",
         "test.fx(1): error: output POSITION of 'V' must be a float4"},
        {"vertex V(float4 p : POSITION) { }\n"
         "fragment F(out float4 c : COLOR4) { }\n"
         "technique T { pass P { VertexShader = V; PixelShader = F; } }",
         "test.fx(2): error: fragment output semantic COLOR4 is not supported"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GenerationErrorOf(c.text), c.message) << c.text;
}

// The generated programs compile and link in a real OpenGL 3.3 core context, with their
// attributes and colour outputs where the table puts them.
class GlslGeneratorCompileTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }

    static std::string Compile(GLuint shader, const std::string& source) {
        const char* text = source.c_str();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
        GLint compiled = GL_FALSE;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
        if (compiled == GL_TRUE) return "";
        char log[2048] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        return log;
    }

    // Links the program and returns its id, or 0 after reporting the failure.
    GLuint Link(const GlslProgram& program) {
        const GLuint vertex = glCreateShader(GL_VERTEX_SHADER);
        const GLuint fragment = glCreateShader(GL_FRAGMENT_SHADER);
        EXPECT_EQ(Compile(vertex, program.vertexSource), "") << program.vertexSource;
        EXPECT_EQ(Compile(fragment, program.fragmentSource), "") << program.fragmentSource;
        const GLuint linked = glCreateProgram();
        glAttachShader(linked, vertex);
        glAttachShader(linked, fragment);
        glLinkProgram(linked);
        glDeleteShader(vertex);
        glDeleteShader(fragment);
        GLint status = GL_FALSE;
        glGetProgramiv(linked, GL_LINK_STATUS, &status);
        if (status == GL_TRUE) return linked;
        char log[2048] = {};
        glGetProgramInfoLog(linked, sizeof log, nullptr, log);
        ADD_FAILURE() << "link failed: " << log;
        glDeleteProgram(linked);
        return 0;
    }
};

TEST_F(GlslGeneratorCompileTest, SampleEffectLinks) {
    const GLuint program = Link(Generate(ParseEffect(sampleEffect, SampleIncludes())));
    ASSERT_NE(program, 0u);
    EXPECT_EQ(glGetAttribLocation(program, "lv_in_POSITION0"), 0);
    EXPECT_EQ(glGetAttribLocation(program, "lv_in_TEXCOORD0"), 8);
    EXPECT_EQ(glGetFragDataLocation(program, "lv_out_COLOR0"), 0);
    EXPECT_NE(glGetUniformLocation(program, "Value1"), -1);
    EXPECT_NE(glGetUniformLocation(program, "GrainS"), -1);
    glDeleteProgram(program);
}

TEST_F(GlslGeneratorCompileTest, MultipleTargetsAndAlphaTestLink) {
    const GLuint targets = Link(Generate(ParseEffect(multipleTargetsEffect)));
    ASSERT_NE(targets, 0u);
    EXPECT_EQ(glGetAttribLocation(targets, "lv_in_NORMAL0"), 2);
    EXPECT_EQ(glGetAttribLocation(targets, "lv_in_TEXCOORD7"), 15);
    EXPECT_EQ(glGetFragDataLocation(targets, "lv_out_COLOR3"), 3);
    glDeleteProgram(targets);

    const GLuint alphaTested = Link(Generate(ParseEffect(
        EffectWithPassStates("AlphaTestEnable = true; AlphaFunc = GreaterEqual; AlphaRef = 7;"))));
    EXPECT_NE(alphaTested, 0u);
    glDeleteProgram(alphaTested);
}

} // namespace
