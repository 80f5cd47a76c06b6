// The data build's effect compiler: every effect of a folder compiled on an offscreen device,
// written as the data file's effect entries, and the first fault reported as the compiler's
// "file(line): error: text" with a failing exit status.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace {

namespace fs = std::filesystem;

const char* kValidEffect = "#include \"common.fxh\"\n"
                           "vertex V(float4 p : POSITION) { gl_Position = p * Scale; }\n"
                           "fragment F(out float4 c : COLOR0) { c = vec4(1.0); }\n"
                           "technique T { pass P { VertexShader = V; PixelShader = F; } }\n";
const char* kCommon = "shared float Scale : SCALE = 1;\n";

class EffectCompilerTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("lumenvale-effects-" + std::to_string(::getpid()));
        fs::remove_all(root);
        fs::create_directories(root / "src");
    }
    void TearDown() override { fs::remove_all(root); }

    void WriteSources(const std::map<std::string, std::string>& files) {
        for (const auto& [name, text] : files)
            std::ofstream(root / "src" / name, std::ios::binary) << text;
    }

    // Runs the compiler over the sources; the exit status, with its output in `output`.
    int Compile(std::string& output) {
        const std::string command = std::string("\"") + LUMENVALE_EFFECTCOMPILER +
                                    "\" --output \"" + (root / "out").string() + "\" \"" +
                                    (root / "src").string() + "\" >\"" +
                                    (root / "tool.out").string() + "\" 2>&1";
        const int status = std::system(command.c_str());
        std::ifstream in(root / "tool.out");
        output.assign(std::istreambuf_iterator<char>(in), {});
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Written(const std::string& relative) {
        std::ifstream in(root / "out" / relative, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root;
};

TEST_F(EffectCompilerTest, WritesTheEffectsAndIncludesAsEntriesAndNothingStale) {
    fs::create_directories(root / "out" / "OShaders");
    std::ofstream(root / "out" / "OShaders" / "Removed.fxo") << "old";
    WriteSources({{"Valid.fx", kValidEffect}, {"common.fxh", kCommon}, {"notes.txt", "x"}});
    std::string output;
    ASSERT_EQ(Compile(output), 0) << output;
    EXPECT_EQ(Written("OShaders/Valid.fxo"), kValidEffect);
    EXPECT_EQ(Written("Shaders/common.fxh"), kCommon);
    EXPECT_FALSE(fs::exists(root / "out" / "OShaders" / "Removed.fxo"));
    EXPECT_FALSE(fs::exists(root / "out" / "Shaders" / "notes.txt"));
}

TEST_F(EffectCompilerTest, TheFirstFaultFailsWithTheCompilerText) {
    struct Case {
        const char* what;
        std::map<std::string, std::string> files;
        std::string message;
    };
    const Case cases[] = {
        {"syntax error in the effect",
         {{"A.fx", kValidEffect},
          {"B.fx", "float x;\nfloat4 y = {1, 2;\n"},
          {"common.fxh", kCommon}},
         "B.fx(2): error: expected '}' but found ';'\n"},
        {"fault in an include",
         {{"A.fx", kValidEffect}, {"common.fxh", "shared float Scale : SCALE = ;\n"}},
         "common.fxh(1): error: expected a number but found ';'\n"},
        {"missing include",
         {{"A.fx", kValidEffect}},
         "A.fx(1): error: cannot open include file 'common.fxh'\n"},
        {"GLSL that does not compile",
         {{"A.fx", "float k;\nvertex V(float4 p : POSITION) { gl_Position = p; }\n"
                   "fragment F(out float4 c : COLOR0) { c = nothing; }\n"
                   "technique T { pass P { VertexShader = V; PixelShader = F; } }\n"}},
         "A.fx(4): error: pixel shader 'F' of pass 'P' does not compile: "},
        {"shared parameter declared two ways",
         {{"A.fx", "shared float4 Eye : EYEPOS;\n"}, {"B.fx", "shared float3 Eye : EYEPOS;\n"}},
         "B.fx(1): error: shared parameter 'Eye' differs in type or size from its declaration "
         "in the pool\n"},
    };
    for (const Case& c : cases) {
        fs::remove_all(root / "src");
        fs::remove_all(root / "out");
        fs::create_directories(root / "src");
        WriteSources(c.files);
        std::string output;
        EXPECT_EQ(Compile(output), 1) << c.what;
        EXPECT_EQ(output.substr(0, c.message.size()), c.message) << c.what;
        EXPECT_FALSE(fs::exists(root / "out")) << c.what << ": nothing written";
    }
}

} // namespace
