// FileSys: parsing a large directory, looking names up, and inflating a large entry.

#include "DataPacker/DataFileWriter.h"
#include "Framework/FileSys.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

constexpr int directoryEntries = 10000;
constexpr std::size_t largeEntryBytes = 1 << 20;

// Two data files in a temporary directory, written once for all benchmarks: one with many small
// curve entries, one with a single mesh-like text entry of 1 MiB.
class BenchData {
public:
    static const BenchData& Get() {
        static const BenchData data;
        return data;
    }

    fs::path manyEntriesDir;
    fs::path largeEntryDir;
    std::vector<std::string> names;

private:
    BenchData() {
        std::string pattern =
            (fs::temp_directory_path() / "lumenvale-filesys-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        root = pattern;
        manyEntriesDir = root / "many";
        largeEntryDir = root / "large";
        fs::create_directories(manyEntriesDir);
        fs::create_directories(largeEntryDir);

        DataFileWriter many;
        const std::vector<unsigned char> keys(64, 7);
        for (int i = 0; i < directoryEntries; ++i) {
            char name[64];
            std::snprintf(name, sizeof name, "Data\\anim\\Curve%05d.translateX", i);
            names.emplace_back(name);
            many.Add(name, keys);
        }
        many.Write(manyEntriesDir / "basefile.dat");

        DataFileWriter large;
        large.Add("Data\\mesh.x", MeshLikeText(largeEntryBytes));
        large.Write(largeEntryDir / "basefile.dat");
    }
    ~BenchData() { fs::remove_all(root); }

    // Lines of vertex coordinates from a fixed sequence: compresses about as well as a text mesh.
    static std::vector<unsigned char> MeshLikeText(std::size_t length) {
        std::string text;
        std::uint32_t state = 1;
        while (text.size() < length) {
            char line[64];
            state = state * 214013u + 2531011u;
            const int x = static_cast<int>((state >> 16) & 0x7fff);
            std::snprintf(line, sizeof line, "%d.%03d;%d.%03d;0.500;,\n", x / 1000, x % 1000,
                          x % 97, x % 13);
            text += line;
        }
        text.resize(length);
        return {text.begin(), text.end()};
    }

    fs::path root;
};

// Runs a benchmark inside the directory that holds its data file.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const fs::path& dir) : original(fs::current_path()) {
        fs::current_path(dir);
    }
    ~WorkingDirectory() { fs::current_path(original); }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    fs::path original;
};

void BM_FileSysLoadDirectory(benchmark::State& state) {
    const WorkingDirectory cwd(BenchData::Get().manyEntriesDir);
    for (auto _ : state) {
        const FileSys fileSys;
        benchmark::DoNotOptimize(fileSys.Directory().size());
    }
    state.SetItemsProcessed(state.iterations() * directoryEntries);
}
BENCHMARK(BM_FileSysLoadDirectory)->Unit(benchmark::kMillisecond);

void BM_FileSysGetFileSize(benchmark::State& state) {
    const BenchData& data = BenchData::Get();
    const WorkingDirectory cwd(data.manyEntriesDir);
    const FileSys fileSys;
    std::size_t next = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(fileSys.GetFileSize(data.names[next].c_str()));
        next = next + 1 == data.names.size() ? 0 : next + 1;
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_FileSysGetFileSize);

void BM_FileSysReadFile1MiB(benchmark::State& state) {
    const WorkingDirectory cwd(BenchData::Get().largeEntryDir);
    const FileSys fileSys;
    std::vector<unsigned char> dest(fileSys.GetFileSize("Data\\mesh.x"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(fileSys.ReadFile("Data\\mesh.x", dest.data()));
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(dest.size()));
}
BENCHMARK(BM_FileSysReadFile1MiB)->Unit(benchmark::kMicrosecond);

} // namespace
