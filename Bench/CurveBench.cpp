// Per-frame timeline work: evaluating a curve as time advances frame by frame and when it jumps,
// polling the scene events, and loading an event list of growing length.

#include "DataPacker/DataFileWriter.h"
#include "Framework/Curves/AnimCurve.h"
#include "Framework/EventList.h"
#include "Framework/FileSys.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr float frameTime = 1.0f / 60.0f;
constexpr int curveKeys = 256;

AnimCurve CameraLikeCurve() {
    AnimCurve curve("Bench.translateX");
    for (int i = 0; i < curveKeys; ++i)
        curve.SetKey(static_cast<float>(i), static_cast<float>(i % 7), 0.5f, -0.5f);
    return curve;
}

void EvaluateAdvancing(benchmark::State& state) {
    AnimCurve curve = CameraLikeCurve();
    float t = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(curve.Evaluate(t));
        t += frameTime;
        if (t > static_cast<float>(curveKeys)) t = 0.0f;
    }
}
BENCHMARK(EvaluateAdvancing);

// Times from a fixed linear congruential sequence over the whole curve: every call walks.
void EvaluateJumping(benchmark::State& state) {
    AnimCurve curve = CameraLikeCurve();
    std::uint32_t seed = 12345;
    for (auto _ : state) {
        seed = seed * 214013u + 2531011u;
        const float t = static_cast<float>((seed >> 16) % (curveKeys * 16)) / 16.0f;
        benchmark::DoNotOptimize(curve.Evaluate(t));
    }
}
BENCHMARK(EvaluateJumping);

void PollShowTimeline(benchmark::State& state) {
    EventList events("Scenes");
    for (const float time :
         {0.0f, 52.0f, 82.0f, 114.0f, 137.8f, 168.0f, 179.0f, 184.0f, 200.0f, 234.0f, 273.0f})
        events.AddEvent(time, "Scene");
    float t = 0.0f;
    std::string name;
    for (auto _ : state) {
        benchmark::DoNotOptimize(events.Poll(t, name));
        t += frameTime;
        if (t > 287.0f) t = 0.0f;
    }
}
BENCHMARK(PollShowTimeline);

// An event file of state.range(0) lines in ascending time, in a data file of its own.
void LoadEvents(benchmark::State& state) {
    const std::filesystem::path previous = std::filesystem::current_path();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lumenvale-events-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    const std::filesystem::path directory = pattern;

    std::string text;
    for (int line = 0; line < state.range(0); ++line)
        text += std::to_string(line) + ".5 Scene" + std::to_string(line % 11) + "\n";
    DataFileWriter writer;
    writer.Add("Data\\event\\Scenes", std::vector<unsigned char>(text.begin(), text.end()));
    writer.Write(directory / "basefile.dat");
    std::filesystem::current_path(directory);
    {
        const FileSys fileSys;
        EventList events("Scenes");
        for (auto _ : state)
            benchmark::DoNotOptimize(events.LoadEvents());
    }
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
}
BENCHMARK(LoadEvents)->RangeMultiplier(8)->Range(16, 8192)->Unit(benchmark::kMicrosecond);

} // namespace
