// FileSys against data files written by the packer library or by hand, and the datapacker tool.

#include "DataPacker/DataFileWriter.h"
#include "DataPacker/ZlibStream.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <vector>
#include <zlib.h>

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

const std::string uncompressError = "[FileSys::ReadFile]: Error uncompressing file";

Bytes ToBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

std::string ToString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

std::string FileContents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Bytes that no compressor shrinks, from a fixed linear congruential sequence.
Bytes NoiseBytes(std::size_t count) {
    Bytes bytes(count);
    std::uint32_t state = 12345;
    for (auto& byte : bytes) {
        state = state * 214013u + 2531011u;
        byte = static_cast<unsigned char>(state >> 16);
    }
    return bytes;
}

// The message of the FrameworkEx that action throws, or "" when it throws none.
std::string ThrownMessage(const std::function<void()>& action) {
    try {
        action();
    } catch (const FrameworkEx& error) {
        return error.Message();
    }
    return "";
}

// An entry of a data file laid out by hand: the payload and the size the directory declares.
struct RawEntry {
    std::string name;
    Bytes payload;
    std::uint32_t size;
};

RawEntry Compressed(const std::string& name, std::string_view content) {
    return {name, ZlibStream::Deflate(ToBytes(content)),
            static_cast<std::uint32_t>(content.size())};
}

// A data file in upper-case hex with the given line end, `between` after each entry and
// `tail` as the last text inside the directory; the payloads follow the directory.
Bytes HandWritten(const std::vector<RawEntry>& entries, std::string_view lineEnd = "\n",
                  std::string_view between = "", std::string_view tail = "") {
    const auto directory = [&](std::uint32_t directoryEnd) {
        std::string text;
        const auto hex = [&](std::uint32_t value) {
            char digits[9];
            std::snprintf(digits, sizeof digits, "%08X", value);
            text += digits;
            text += lineEnd;
        };
        text += "0x";
        hex(directoryEnd);
        std::uint32_t offset = directoryEnd;
        for (const RawEntry& entry : entries) {
            text += entry.name;
            text += lineEnd;
            hex(offset);
            hex(static_cast<std::uint32_t>(entry.payload.size()));
            hex(entry.size);
            text += between;
            offset += static_cast<std::uint32_t>(entry.payload.size());
        }
        return text + std::string(tail);
    };
    // Every number has eight digits, so the length does not depend on the values.
    Bytes file = ToBytes(directory(static_cast<std::uint32_t>(directory(0).size())));
    for (const RawEntry& entry : entries)
        file.insert(file.end(), entry.payload.begin(), entry.payload.end());
    return file;
}

// Each test works in a fresh temporary directory, where it writes "basefile.dat".
class FileSysTest : public testing::Test {
protected:
    void SetUp() override {
        originalDir = fs::current_path();
        std::string pattern = (fs::temp_directory_path() / "lumenvale-filesys-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        workDir = pattern;
        fs::current_path(workDir);
    }

    void TearDown() override {
        fileSys.reset();
        fs::current_path(originalDir);
        fs::remove_all(workDir);
    }

    static void WriteDatabase(const Bytes& bytes) {
        std::ofstream out("basefile.dat", std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
    }
    static void WriteDatabase(const DataFileWriter& writer) { WriteDatabase(writer.Serialize()); }

    // Constructs the FileSys and returns what it printed.
    std::string Open() {
        fileSys.reset();
        testing::internal::CaptureStdout();
        fileSys = std::make_unique<FileSys>();
        return testing::internal::GetCapturedStdout();
    }

    // Reads an entry the way every consumer does, expecting silence and the stored size.
    Bytes Read(const std::string& name) {
        Bytes bytes(fileSys->GetFileSize(name.c_str()));
        testing::internal::CaptureStdout();
        EXPECT_EQ(fileSys->ReadFile(name.c_str(), bytes.data()), bytes.size()) << name;
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << name;
        return bytes;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& [name, entry] : fileSys->Directory())
            names.push_back(name);
        return names;
    }

    std::unique_ptr<FileSys> fileSys;
    fs::path workDir;

private:
    fs::path originalDir;
};

TEST_F(FileSysTest, ReadsBackEveryEntryOnEveryCall) {
    Bytes allByteValues;
    for (int repeat = 0; repeat < 1000; ++repeat)
        for (int value = 0; value < 256; ++value)
            allByteValues.push_back(static_cast<unsigned char>(value));
    const std::map<std::string, Bytes> contents = {
        {"Data\\event\\Scenes", ToBytes("0.0 IntroScene\n12.5 WaterScene\n")},
        {"Data\\noise.bin", allByteValues},
        {"Data\\lumenvale_final.ogg", NoiseBytes(200 * 1024)},
        {std::string(DataFileWriter::maxNameLength, 'n'), ToBytes("longest name")},
    };
    DataFileWriter writer;
    for (const auto& [name, bytes] : contents)
        writer.Add(name, bytes);
    WriteDatabase(writer);

    EXPECT_EQ(Open(), "");
    EXPECT_EQ(FileSys::Instance(), fileSys.get());
    EXPECT_EQ(Names().size(), contents.size());
    for (const auto& [name, bytes] : contents) {
        EXPECT_EQ(fileSys->GetFileSize(name.c_str()), bytes.size());
        EXPECT_EQ(Read(name), bytes) << name;
        EXPECT_EQ(Read(name), bytes) << name << " read a second time";
    }
}

TEST_F(FileSysTest, AbsentNameReadsNothingSilently) {
    DataFileWriter writer;
    writer.Add("Data\\tetris.txt", ToBytes("hello"));
    WriteDatabase(writer);
    ASSERT_EQ(Open(), "");

    unsigned char dest[4] = {1, 2, 3, 4};
    testing::internal::CaptureStdout();
    EXPECT_EQ(fileSys->GetFileSize("Data\\missing"), 0u);
    EXPECT_EQ(fileSys->ReadFile("Data\\missing", dest), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(dest[0], 1);
}

TEST_F(FileSysTest, MissingDatabaseLeavesAnEmptyDirectory) {
    EXPECT_EQ(Open(), "Failure: Could not open \"basefile.dat\" when reading database\n");
    EXPECT_TRUE(Names().empty());
    EXPECT_EQ(fileSys->GetFileSize("Data\\noise.bin"), 0u);
}

TEST_F(FileSysTest, DatabaseGoneAtReadTimeReportsAndReturnsZero) {
    DataFileWriter writer;
    writer.Add("Data\\anim\\Cam1.translateX", ToBytes("keys"));
    WriteDatabase(writer);
    ASSERT_EQ(Open(), "");
    fs::remove("basefile.dat");

    unsigned char dest[4] = {7, 7, 7, 7};
    testing::internal::CaptureStdout();
    EXPECT_EQ(fileSys->ReadFile("Data\\anim\\Cam1.translateX", dest), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(),
              "Failure: Could not open \"basefile.dat\" when trying to read file "
              "Data\\anim\\Cam1.translateX");
    EXPECT_EQ(dest[3], 7);
}

TEST_F(FileSysTest, MalformedDirectoryKeepsTheDistinctEntriesBeforeIt) {
    struct Case {
        const char* what;
        Bytes file;
        unsigned accepted;
        std::map<std::string, std::string> contents;
    };
    const Case cases[] = {
        {"value that is not hexadecimal",
         HandWritten({Compressed("A", "alpha")}, "\n", "", "B\n0000zz00\n00000001\n00000001\n"),
         1,
         {{"A", "alpha"}}},
        {"duplicate before the damage: first one wins and counts once",
         HandWritten({Compressed("A", "first"), Compressed("A", "second!"), Compressed("B", "bee")},
                     "\n", "", "C\nnot-hex\n"),
         2,
         {{"A", "first"}, {"B", "bee"}}},
        {"name token longer than 511 bytes",
         HandWritten({Compressed("A", "alpha")}, "\n", "",
                     std::string(600, 'a') + "\n00000000\n00000000\n00000000\n"),
         1,
         {{"A", "alpha"}}},
        {"file ends inside an entry before the directory end",
         ToBytes("0x00000100\nA\n00000000\n00000000\n00000000\nB\n00000001\n"),
         1,
         {{"A", ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        WriteDatabase(c.file);
        EXPECT_EQ(Open(), "Data base file corrupt.  Corruption detected while reading file #" +
                              std::to_string(c.accepted) + "\n");
        std::vector<std::string> expectedNames;
        for (const auto& [name, content] : c.contents) {
            expectedNames.push_back(name);
            EXPECT_EQ(fileSys->GetFileSize(name.c_str()), content.size()) << name;
            if (!content.empty()) {
                EXPECT_EQ(ToString(Read(name)), content) << name;
            }
        }
        EXPECT_EQ(Names(), expectedNames);
    }
}

TEST_F(FileSysTest, DirectoryWithoutEntriesIsEmptyWithoutAMessage) {
    const std::string entry = "A\n00000000\n00000000\n00000000\n";
    const struct {
        const char* what;
        std::string file;
    } cases[] = {
        {"empty file", ""},
        {"directory end 0", "0x00000000\n" + entry},
        {"directory end inside the header line", "0x00000005\n" + entry},
        {"upper-case X in the prefix", "0X0000002B\n" + entry},
        {"no digits after the prefix", "0xg0000002\n" + entry},
        {"text instead of a header", "Data\\noise.bin\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteDatabase(ToBytes(c.file));
        EXPECT_EQ(Open(), "");
        EXPECT_TRUE(Names().empty());
    }
}

TEST_F(FileSysTest, AcceptsCrLfLineEndsBlankLinesAndUpperCaseHex) {
    WriteDatabase(HandWritten({Compressed("Data\\a", "first"), Compressed("Data\\b", "second")},
                              "\r\n", "\r\n\r\n"));
    EXPECT_EQ(Open(), "");
    EXPECT_EQ(ToString(Read("Data\\a")), "first");
    EXPECT_EQ(ToString(Read("Data\\b")), "second");
}

TEST_F(FileSysTest, NamesDifferingInCaseOrSeparatorAreDistinct) {
    const std::map<std::string, std::string> contents = {
        {"Data\\a.bin", "backslash"},
        {"data\\a.bin", "lower case"},
        {"DATA\\A.BIN", "upper case"},
        {"Data/a.bin", "slash"},
    };
    DataFileWriter writer;
    for (const auto& [name, content] : contents)
        writer.Add(name, ToBytes(content));
    WriteDatabase(writer);
    ASSERT_EQ(Open(), "");
    for (const auto& [name, content] : contents)
        EXPECT_EQ(ToString(Read(name)), content);
}

TEST_F(FileSysTest, EmptyEntryLooksMissingAndReadsNothing) {
    DataFileWriter writer;
    writer.Add("Data\\empty.txt", {});
    WriteDatabase(writer);
    ASSERT_EQ(Open(), "");

    EXPECT_EQ(Names(), std::vector<std::string>{"Data\\empty.txt"});
    EXPECT_EQ(fileSys->GetFileSize("Data\\empty.txt"), fileSys->GetFileSize("Data\\missing"));
    unsigned char untouched = 42;
    EXPECT_EQ(fileSys->ReadFile("Data\\empty.txt", &untouched), 0u);
    EXPECT_EQ(untouched, 42);
}

TEST_F(FileSysTest, ShorterStreamReturnsStoredSizeAndLeavesTheRest) {
    DataFileWriter writer;
    writer.AddCompressed("short", ZlibStream::Deflate(ToBytes("abc")), 8);
    WriteDatabase(writer);
    ASSERT_EQ(Open(), "");

    std::string dest = "xxxxxxxx";
    EXPECT_EQ(fileSys->ReadFile("short", dest.data()), 8u);
    EXPECT_EQ(dest, "abcxxxxx");
}

// A stream whose deflate data was made against a preset dictionary.
Bytes DeflateWithDictionary(std::string_view content) {
    const std::string dictionary = "common words of the dictionary";
    z_stream deflater{};
    deflateInit(&deflater, Z_BEST_COMPRESSION);
    deflateSetDictionary(&deflater, reinterpret_cast<const Bytef*>(dictionary.data()),
                         static_cast<uInt>(dictionary.size()));
    Bytes in = ToBytes(content);
    Bytes out(deflateBound(&deflater, static_cast<uLong>(in.size())));
    deflater.next_in = in.data();
    deflater.avail_in = static_cast<uInt>(in.size());
    deflater.next_out = out.data();
    deflater.avail_out = static_cast<uInt>(out.size());
    deflate(&deflater, Z_FINISH);
    out.resize(deflater.total_out);
    deflateEnd(&deflater);
    return out;
}

TEST_F(FileSysTest, PayloadThatDoesNotInflateThrowsWithoutOverrun) {
    const std::string content = "a payload of thirty-two bytes!!!";
    const Bytes stream = ZlibStream::Deflate(ToBytes(content));
    Bytes badChecksum = stream;
    badChecksum.back() ^= 0x01;
    const Bytes cutShort(stream.begin(), stream.end() - 4);
    const auto packed = [](std::vector<unsigned char> payload, std::uint32_t size) {
        DataFileWriter writer;
        writer.AddCompressed("e", std::move(payload), size);
        return writer.Serialize();
    };
    Bytes truncatedFile = packed(stream, 32);
    truncatedFile.resize(truncatedFile.size() - 1);

    const struct {
        const char* what;
        Bytes file;
        std::uint32_t size;
    } cases[] = {
        {"not a zlib stream", packed(ToBytes("definitely not deflate data"), 32), 32},
        {"Adler-32 mismatch", packed(badChecksum, 32), 32},
        {"more output than the stored size", packed(stream, 16), 16},
        {"stream cut short", packed(cutShort, 32), 32},
        {"preset dictionary", packed(DeflateWithDictionary(content), 32), 32},
        {"empty payload", packed({}, 32), 32},
        {"file shorter than the payload", truncatedFile, 32},
        {"compressed size far beyond the file",
         ToBytes("0x00000028\ne\n00000000\nFFFFFFFF\n00000020\n"), 32},
        {"offset beyond the file", ToBytes("0x00000028\ne\n7FFFFFFF\n00000010\n00000020\n"), 32},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        WriteDatabase(c.file);
        ASSERT_EQ(Open(), "");
        ASSERT_EQ(fileSys->GetFileSize("e"), c.size);
        constexpr std::size_t guard = 64;
        Bytes dest(c.size + guard, 0xAB);
        EXPECT_EQ(ThrownMessage([&] { fileSys->ReadFile("e", dest.data()); }), uncompressError);
        EXPECT_EQ(Bytes(dest.end() - guard, dest.end()), Bytes(guard, 0xAB)) << "overran dest";
    }
}

TEST_F(FileSysTest, SecondInstanceIsRefused) {
    ASSERT_EQ(Open(), "Failure: Could not open \"basefile.dat\" when reading database\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(ThrownMessage([] { FileSys second; }), "FileSys is a singleton!");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(FileSys::Instance(), fileSys.get());
    fileSys.reset();
    EXPECT_EQ(FileSys::Instance(), nullptr);
}

TEST_F(FileSysTest, EachInstanceLoadsTheDirectoryAfresh) {
    DataFileWriter before;
    before.Add("Data\\old", ToBytes("old"));
    WriteDatabase(before);
    ASSERT_EQ(Open(), "");

    DataFileWriter after;
    after.Add("Data\\new", ToBytes("new"));
    WriteDatabase(after);
    ASSERT_EQ(Open(), "");
    EXPECT_EQ(Names(), std::vector<std::string>{"Data\\new"});
}

TEST(DataFileWriterTest, RefusesNamesTheDirectoryCannotHold) {
    const std::string names[] = {
        "",
        "Data\\with space",
        "Data\\with\ttab",
        "Data\\with\nline",
        std::string("Data\\with\0nul", 13),
        std::string(DataFileWriter::maxNameLength + 1, 'n'),
    };
    for (const std::string& name : names) {
        DataFileWriter writer;
        EXPECT_THROW(writer.Add(name, ToBytes("x")), std::invalid_argument) << name;
        EXPECT_EQ(writer.EntryCount(), 0u);
    }
}

// The datapacker tool, run as the build runs it.
class DataPackerTest : public FileSysTest {
protected:
    static void WriteAsset(const fs::path& path, std::string_view content) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << content;
    }

    // Runs datapacker with the arguments; returns its exit status, its output in `output`.
    static int Run(const std::string& arguments, std::string& output) {
        const std::string command =
            std::string("\"") + LUMENVALE_DATAPACKER + "\" " + arguments + " >tool.out 2>&1";
        const int status = std::system(command.c_str());
        output = FileContents("tool.out");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    static std::vector<std::string> Column(const std::string& listing, std::size_t column) {
        std::vector<std::string> values;
        std::istringstream lines(listing);
        for (std::string line; std::getline(lines, line);) {
            std::istringstream fields(line);
            std::string field;
            for (std::size_t i = 0; i <= column; ++i)
                std::getline(fields, field, '\t');
            values.push_back(field);
        }
        return values;
    }
};

TEST_F(DataPackerTest, PacksTreesWithBackslashNamesAndLaterRootsWinning) {
    WriteAsset("base/Data/event/Scenes", "0.0 IntroScene\n");
    WriteAsset("base/Data/tetris.txt", "old chat");
    WriteAsset("base/Shaders/common.fxh", "float4 x;");
    WriteAsset("generated/Data/tetris.txt", "new chat");
    std::string output;
    ASSERT_EQ(Run("--output basefile.dat --root base --root generated", output), 0) << output;
    ASSERT_EQ(Run("--output again.dat --root base --root generated", output), 0) << output;
    EXPECT_EQ(FileContents("basefile.dat"), FileContents("again.dat")) << "not deterministic";

    ASSERT_EQ(Run("--list basefile.dat", output), 0) << output;
    const std::vector<std::string> names = {"Data\\event\\Scenes", "Data\\tetris.txt",
                                            "Shaders\\common.fxh"};
    EXPECT_EQ(Column(output, 0), names);
    EXPECT_EQ(Column(output, 3), (std::vector<std::string>{"15", "8", "9"}));
    EXPECT_EQ(Column(output, 4), std::vector<std::string>(3, "ok"));

    ASSERT_EQ(Open(), "");
    EXPECT_EQ(Names(), names);
    EXPECT_EQ(ToString(Read("Data\\tetris.txt")), "new chat");
    EXPECT_EQ(ToString(Read("Data\\event\\Scenes")), "0.0 IntroScene\n");
}

TEST_F(DataPackerTest, ExcludedFoldersStayOutOfEveryRoot) {
    WriteAsset("base/Curves/Cam.curves", "curve Cam.x");
    WriteAsset("base/Curves/Deeper/More.curves", "curve More.x");
    WriteAsset("base/CurvesToo/kept", "kept");
    WriteAsset("base/Data/Curves/kept", "kept");
    std::string output;
    ASSERT_EQ(Run("--output basefile.dat --root base --exclude Curves", output), 0) << output;
    ASSERT_EQ(Run("--list basefile.dat", output), 0) << output;
    EXPECT_EQ(Column(output, 0),
              (std::vector<std::string>{"CurvesToo\\kept", "Data\\Curves\\kept"}));
}

TEST_F(DataPackerTest, ListFailsOnAPayloadThatDoesNotInflate) {
    DataFileWriter writer;
    writer.Add("Data\\good", ToBytes("good"));
    writer.AddCompressed("Data\\short", ZlibStream::Deflate(ToBytes("abc")), 8);
    WriteDatabase(writer);

    std::string output;
    EXPECT_EQ(Run("--list basefile.dat", output), 1);
    EXPECT_NE(output.find("Data\\good\t"), std::string::npos) << output;
    EXPECT_NE(output.find("\tBROKEN\n"), std::string::npos) << output;
    EXPECT_NE(output.find("1 of 2 entries do not inflate to their size"), std::string::npos)
        << output;
}

TEST_F(DataPackerTest, EmptyRootPacksAValidFileWithoutEntries) {
    fs::create_directory("empty");
    std::string output;
    ASSERT_EQ(Run("--output basefile.dat --root empty", output), 0) << output;
    ASSERT_EQ(Run("--list basefile.dat", output), 0) << output;
    EXPECT_EQ(output, "");
    EXPECT_EQ(Open(), "");
    EXPECT_TRUE(Names().empty());
}

} // namespace
