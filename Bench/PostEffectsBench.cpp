// Each post-processing operation at a 640 x 360 picture on whatever GL the machine has, with
// the targets the scenes give it (full-size pictures and depths, half-size blur targets,
// 1024 x 1024 shadow maps). An occlusion query around each call waits for the GL to finish it,
// so a figure is the whole cost of one call.
#include "DataPacker/DataFileWriter.h"
#include "Framework/DXFramework.h"
#include "Framework/Timer.h"
#include "Modules/PostEffects/PostEffects.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <memory>
#include <string>

namespace {

constexpr std::uint32_t kWidth = 640;
constexpr std::uint32_t kHeight = 360;

// A framework with its device in a scratch directory whose data file holds the build's effects
// and noise volume, the module loaded, and the targets of the operations.
class PostBench {
public:
    PostBench() : previous(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "lumenvale-post-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        directory = pattern;
        WriteDataFile();
        std::filesystem::current_path(directory);

        framework = std::make_unique<DXFramework>("--nosetup", nullptr, "Lumenvale");
        framework->settings.screenWidth = kWidth;
        framework->settings.screenHeight = kHeight;
        framework->settings.pictureWidth = kWidth;
        framework->settings.pictureHeight = kHeight;
        framework->OpenWindow();
        framework->CreateDevice();
        g_pd3dDevice->GetRenderTarget(0, &framework->backBufferSurface);
        framework->LoadDeviceResources();
        post.Load();
        g_pd3dDevice->CreateQuery(D3DQUERYTYPE_OCCLUSION, &query);
    }

    ~PostBench() {
        query->Release();
        post.Unload();
        framework->ReleaseDeviceObjects();
        framework->destroying = true;
        DestroyWindow(framework->window);
        framework.reset();
        Timer::currentTime = 0.0;
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(directory);
    }

    const RTRecord& Target(D3DFORMAT format, std::uint32_t width, std::uint32_t height) {
        return RTHandler::Instance()->Get(RTHandler::Instance()->Request({format, width, height}));
    }

    // Times the call with the picture area of the back buffer bound, as the scenes call it.
    void Run(benchmark::State& state, const std::function<void()>& call) {
        for (auto _ : state) {
            g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
            framework->SetPictureViewport();
            query->Issue(D3DISSUE_BEGIN);
            call();
            query->Issue(D3DISSUE_END);
            DWORD samples = 0;
            while (query->GetData(&samples, sizeof(samples), D3DGETDATA_FLUSH) == S_FALSE) {
            }
            benchmark::DoNotOptimize(samples);
        }
    }

    PostEffects post{"PostFX"};

private:
    void WriteDataFile() {
        DataFileWriter writer;
        auto add = [&](const std::string& name, const std::filesystem::path& file) {
            std::ifstream in(file, std::ios::binary);
            const std::string content(std::istreambuf_iterator<char>(in), {});
            writer.Add(name, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                       content.size()));
        };
        const std::filesystem::path root = LUMENVALE_GENERATED_ROOT;
        for (const char* folder : {"OShaders", "Shaders"})
            for (const auto& file : std::filesystem::directory_iterator(root / folder))
                add(std::string(folder) + "\\" + file.path().filename().string(), file.path());
        add("Data\\noise.bin", root / "Data" / "noise.bin");
        writer.Write(directory / "basefile.dat");
    }

    std::filesystem::path previous;
    std::filesystem::path directory;
    std::unique_ptr<DXFramework> framework;
    IDirect3DQuery9* query = nullptr;
};

const D3DXVECTOR4 kColour{0.5f, 0.6f, 0.7f, 0.5f};

void BM_BlitQuad(benchmark::State& state) {
    PostBench bench;
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    bench.Run(state, [&] { bench.post.BlitQuad(source, kColour); });
}
BENCHMARK(BM_BlitQuad)->Unit(benchmark::kMillisecond);

void BM_FillQuad(benchmark::State& state) {
    PostBench bench;
    bench.Run(state, [&] { bench.post.FillQuad(kColour); });
}
BENCHMARK(BM_FillQuad)->Unit(benchmark::kMillisecond);

void BM_FadeToColor(benchmark::State& state) {
    PostBench bench;
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    bench.Run(state, [&] { bench.post.FadeToColor(source, kColour); });
}
BENCHMARK(BM_FadeToColor)->Unit(benchmark::kMillisecond);

void BM_BlurLow(benchmark::State& state) {
    PostBench bench;
    const RTRecord& a = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    const RTRecord& b = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    const auto count = static_cast<std::uint32_t>(state.range(0));
    bench.Run(state, [&] { bench.post.BlurLow(a, b, count); });
}
BENCHMARK(BM_BlurLow)->ArgName("count")->Arg(1)->Arg(3)->Unit(benchmark::kMillisecond);

void BM_GlowUFO(benchmark::State& state) {
    PostBench bench;
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    const RTRecord& half = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    const RTRecord& temp = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    bench.Run(state, [&] { bench.post.GlowUFO(source, half, temp, 0.05f); });
}
BENCHMARK(BM_GlowUFO)->Unit(benchmark::kMillisecond);

void BM_CombineTunnel(benchmark::State& state) {
    PostBench bench;
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    bench.Run(state, [&] { bench.post.CombineTunnel(source); });
}
BENCHMARK(BM_CombineTunnel)->Unit(benchmark::kMillisecond);

void BM_CombineHumanoid(benchmark::State& state) {
    PostBench bench;
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    bench.Run(state, [&] { bench.post.CombineHumanoid(source, 0.1f); });
}
BENCHMARK(BM_CombineHumanoid)->Unit(benchmark::kMillisecond);

void BM_ExpBlurShadowMap(benchmark::State& state) {
    PostBench bench;
    const RTRecord& shadow = bench.Target(D3DFMT_R32F, 1024, 1024);
    const RTRecord& blurred = bench.Target(D3DFMT_R32F, 1024, 1024);
    bench.Run(state, [&] { bench.post.ExpBlur(shadow, blurred); });
}
BENCHMARK(BM_ExpBlurShadowMap)->Unit(benchmark::kMillisecond);

void BM_MotionBlur(benchmark::State& state) {
    PostBench bench;
    const RTRecord& colour = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    const RTRecord& vectors = bench.Target(D3DFMT_G32R32F, kWidth, kHeight);
    bench.Run(state, [&] { bench.post.MotionBlur(colour, vectors); });
}
BENCHMARK(BM_MotionBlur)->Unit(benchmark::kMillisecond);

void BM_Saturate(benchmark::State& state) {
    PostBench bench;
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    const RTRecord& a = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    const RTRecord& b = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    Timer::currentTime = 210.0;
    bench.Run(state, [&] { bench.post.Saturate(a, b, source, 0.7f); });
}
BENCHMARK(BM_Saturate)->Unit(benchmark::kMillisecond);

void BM_DofQuad(benchmark::State& state) {
    PostBench bench;
    const RTRecord& depth = bench.Target(D3DFMT_R32F, kWidth, kHeight);
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    const RTRecord& a = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    const RTRecord& b = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    bench.Run(state, [&] { bench.post.DofQuad(depth, a, b, source, 0.05f, 0.3f); });
}
BENCHMARK(BM_DofQuad)->Unit(benchmark::kMillisecond);

// At 230 s the plain technique, at 272 s the explosion.
void BM_CantorDof(benchmark::State& state) {
    PostBench bench;
    const RTRecord& depth = bench.Target(D3DFMT_G32R32F, kWidth, kHeight);
    const RTRecord& source = bench.Target(D3DFMT_X8R8G8B8, kWidth, kHeight);
    const RTRecord& a = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    const RTRecord& b = bench.Target(D3DFMT_X8R8G8B8, kWidth / 2, kHeight / 2);
    Timer::currentTime = static_cast<double>(state.range(0));
    bench.Run(state, [&] { bench.post.CantorDof(depth, a, b, source); });
}
BENCHMARK(BM_CantorDof)->ArgName("t")->Arg(230)->Arg(272)->Unit(benchmark::kMillisecond);

} // namespace
