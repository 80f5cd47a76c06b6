// One frame of a scene's view cameras: the set walks past an invisible camera to the first
// visible one, with and without the noise shake.

#include "DataPacker/DataFileWriter.h"
#include "Framework/CameraSet.h"
#include "Framework/FileSys.h"
#include "Framework/Timer.h"

#include <benchmark/benchmark.h>

#include <bit>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr float frameTime = 1.0f / 60.0f;
constexpr int curveKeys = 64;

void AppendKey(std::vector<unsigned char>& bytes, float time, float value) {
    for (const float field : {time, value, 0.5f, -0.5f}) {
        const auto bits = std::bit_cast<std::uint32_t>(field);
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<unsigned char>(bits >> shift));
    }
}

// A key a second, values wandering so that every segment is a real cubic.
std::vector<unsigned char> WanderingCurve() {
    std::vector<unsigned char> bytes;
    for (int i = 0; i < curveKeys; ++i)
        AppendKey(bytes, static_cast<float>(i), static_cast<float>(i % 5));
    return bytes;
}

std::vector<unsigned char> ConstantCurve(float value) {
    std::vector<unsigned char> bytes;
    AppendKey(bytes, 0.0f, value);
    return bytes;
}

void UpdateViewCameras(benchmark::State& state) {
    const bool shaking = state.range(0) != 0;
    const std::filesystem::path previous = std::filesystem::current_path();
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lumenvale-camera-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    const std::filesystem::path directory = pattern;

    DataFileWriter writer;
    for (const char* camera : {"BenchCam1", "BenchCam2"}) {
        const std::string prefix = std::string("Data\\anim\\") + camera;
        for (const char* channel :
             {".translateX", ".translateY", ".translateZ", ".rotateX", ".rotateY", ".rotateZ"})
            writer.Add(prefix + channel, WanderingCurve());
        writer.Add(prefix + ".shake", ConstantCurve(shaking ? 0.1f : 0.0f));
    }
    // The first camera stays off, the second on: every frame samples one and updates the other.
    writer.Add("Data\\anim\\BenchCam1.visibility", ConstantCurve(0.0f));
    writer.Add("Data\\anim\\BenchCam2.visibility", ConstantCurve(1.0f));
    writer.Write(directory / "basefile.dat");
    std::filesystem::current_path(directory);
    {
        const FileSys fileSys;
        CameraSet set;
        set.Add(std::make_unique<Camera>("BenchCam1"));
        set.Add(std::make_unique<Camera>("BenchCam2"));
        float t = 0.5f;
        for (auto _ : state) {
            Timer::currentTime = t;
            set.Update(t);
            benchmark::DoNotOptimize(set.Active()->ViewProjection());
            t += frameTime;
            if (t > static_cast<float>(curveKeys - 1)) t = 0.5f;
        }
    }
    Timer::currentTime = 0.0;
    std::filesystem::current_path(previous);
    std::filesystem::remove_all(directory);
}
BENCHMARK(UpdateViewCameras)->ArgName("shaking")->Arg(0)->Arg(1);

} // namespace
