// The soundtrack generator: rendering the densest passage, and encoding to Ogg Vorbis. The
// data build renders and encodes the whole 287 s show, so both are reported in audio frames
// per second.
#include "Soundtrack/Song.h"
#include "Soundtrack/Timing.h"
#include "Soundtrack/VorbisWriter.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

using namespace soundtrack;

constexpr double climax = 240.0; // Cantor: full kit, sixteenth bass, supersaws, lead, flashes
constexpr std::size_t blockFrames = 8192;

void BM_RenderClimax(benchmark::State& state) {
    std::vector<float> left(blockFrames);
    std::vector<float> right(blockFrames);
    auto song = std::make_unique<Song>(climax);
    for (auto _ : state) {
        if (song->Frame() > timing::FrameAt(climax + 20.0)) {
            state.PauseTiming();
            song = std::make_unique<Song>(climax);
            state.ResumeTiming();
        }
        song->Render(left, right);
        benchmark::DoNotOptimize(left.data());
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(blockFrames));
}
BENCHMARK(BM_RenderClimax)->Unit(benchmark::kMillisecond);

void BM_EncodeVorbis(benchmark::State& state) {
    const StereoBuffer audio = RenderSoundtrack(climax, 2.0);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "lumenvale_soundtrack_bench.ogg";
    for (auto _ : state) {
        VorbisWriter writer(file, timing::sampleRate, 0.35f);
        writer.Write(audio.left, audio.right);
        writer.Finish();
    }
    std::filesystem::remove(file);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(audio.left.size()));
}
BENCHMARK(BM_EncodeVorbis)->Unit(benchmark::kMillisecond);

} // namespace
