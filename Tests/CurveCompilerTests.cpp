// The curve compiler: curve text through the compiler's files into data-file entries that the
// engine loads and evaluates, the automatic tangents, and the message for each kind of fault.
#include "CurveCompiler/CurveCompiler.h"
#include "CurveCompiler/CurveTextParser.h"
#include "Framework/Curves/CurveHandle.h"
#include "ScratchDataFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream(file, std::ios::binary) << text;
}

std::string ReadBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::vector<AnimKey> Loaded(const std::string& name) {
    CurveHandle handle(name, CurveKind::Smooth);
    handle.Load();
    return handle.Curve().Keys();
}

TEST(CurveCompiler, TextBecomesEntriesTheEngineEvaluates) {
    ScratchDataFile data;
    WriteText("camera.curves", "# The opening shot\r\n"
                               "curve IntroCam.translateX\r\n"
                               "0    0        # automatic: flat at the ends\r\n"
                               "1    1\r\n"
                               "3    5\r\n"
                               "\r\n"
                               "curve IntroCam.fov\n"
                               "  0  1.5  +2    # one tangent for both sides\n"
                               "  4  3    0 -2\n");
    WriteText("lights.curves", "curve Lamp.visibility\n0 0\n2.5 1\n");
    const fs::path output = data.Directory() / "Generated" / "Data" / "anim";
    WriteCurveEntries(ReadCurveFiles({"camera.curves", "lights.curves"}), output);

    std::map<std::string, std::string> entries;
    for (const fs::directory_entry& file : fs::directory_iterator(output))
        entries["Data\\anim\\" + file.path().filename().string()] = ReadBytes(file.path());
    EXPECT_EQ(entries.size(), 3u);
    data.Mount(entries);

    // The middle key's automatic slope runs from its neighbours: (5 - 0) / (3 - 0).
    EXPECT_EQ(Loaded("IntroCam.translateX"),
              (std::vector<AnimKey>{{0.0f, 0.0f, 0.0f, 0.0f},
                                    {1.0f, 1.0f, 5.0f / 3.0f, 5.0f / 3.0f},
                                    {3.0f, 5.0f, 0.0f, 0.0f}}));
    EXPECT_EQ(Loaded("IntroCam.fov"),
              (std::vector<AnimKey>{{0.0f, 1.5f, 2.0f, 2.0f}, {4.0f, 3.0f, 0.0f, -2.0f}}));

    CurveHandle position("IntroCam.translateX", CurveKind::Smooth);
    position.Load();
    for (const auto& [t, value] : std::map<float, float>{{0.0f, 0.0f}, {1.0f, 1.0f}, {3.0f, 5.0f}})
        EXPECT_EQ(position.Evaluate(t), value) << "at " << t;
    EXPECT_GT(position.Evaluate(2.0f), 1.0f);
    EXPECT_LT(position.Evaluate(2.0f), 5.0f);
    EXPECT_EQ(position.Evaluate(100.0f), 5.0f);

    CurveHandle lamp("Lamp.visibility", CurveKind::Step);
    lamp.Load();
    EXPECT_EQ(lamp.Sample(2.4f), 0.0f);
    EXPECT_EQ(lamp.Sample(2.5f), 1.0f);
}

struct FaultCase {
    std::string text;
    std::string message;
};

TEST(CurveCompiler, EachFaultIsReportedWithItsLine) {
    const std::string expectKey = "expected \"time value [tangent | inTangent outTangent]\"";
    const std::string badName = "cannot name a file (no '/' or '\\', not \".\" or \"..\", at "
                                "most 255 bytes)";
    const std::vector<FaultCase> cases = {
        {"0 1\n", "bad.curves:1: a key before any \"curve <name>\" line"},
        {"curve A\n0 1\n0 2\n", "bad.curves:3: key time 0 does not follow the previous key's"},
        {"curve A\n1 1\n0.5 2\n", "bad.curves:3: key time 0.5 does not follow the previous key's"},
        {"curve A\n0 x\n", "bad.curves:2: \"x\" is not a finite number"},
        {"curve A\n0 1e99\n", "bad.curves:2: \"1e99\" is not a finite number"},
        {"curve A\n0 nan\n", "bad.curves:2: \"nan\" is not a finite number"},
        {"curve A\n0 1,5\n", "bad.curves:2: \"1,5\" is not a finite number"},
        {"curve A\n0\n", "bad.curves:2: " + expectKey},
        {"curve A\n0 1 2 3 4\n", "bad.curves:2: " + expectKey},
        {"# header\ncurve A\ncurve B\n0 1\n", "bad.curves:2: curve \"A\" has no keys"},
        {"curve A\n0 1\n", ""},
        {"curve A\n0 1\ncurve A\n1 1\n",
         "bad.curves:3: curve \"A\" is already defined at bad.curves:1"},
        {"curve\n", "bad.curves:1: expected \"curve <name>\""},
        {"curve A B\n", "bad.curves:1: expected \"curve <name>\""},
        {"curve Cam/x\n", "bad.curves:1: curve name \"Cam/x\" " + badName},
        {"curve Cam\\x\n", "bad.curves:1: curve name \"Cam\\x\" " + badName},
        {"curve ..\n", "bad.curves:1: curve name \"..\" " + badName},
        {"curve " + std::string(256, 'c') + "\n",
         "bad.curves:1: curve name \"" + std::string(256, 'c') + "\" " + badName},
    };
    for (const FaultCase& c : cases) {
        std::string message;
        try {
            ParseCurveText(c.text, "bad.curves");
        } catch (const CurveSyntaxError& error) {
            message = error.what();
        }
        EXPECT_EQ(message, c.message) << c.text;
    }
}

TEST(CurveCompiler, ACurveDefinedInTwoFilesIsRefused) {
    ScratchDataFile data;
    WriteText("a.curves", "curve Cam.shake\n0 1\n");
    WriteText("b.curves", "\ncurve Other\n0 1\ncurve Cam.shake\n0 2\n");
    try {
        ReadCurveFiles({"a.curves", "b.curves"});
        FAIL();
    } catch (const CurveSyntaxError& error) {
        EXPECT_STREQ(error.what(), "b.curves:4: curve \"Cam.shake\" is already defined at "
                                   "a.curves:1");
    }
}

TEST(CurveCompiler, AnUnreadableFileIsNamed) {
    ScratchDataFile data;
    try {
        ReadCurveFiles({"absent.curves"});
        FAIL();
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "absent.curves: cannot be read");
    }
}

} // namespace
