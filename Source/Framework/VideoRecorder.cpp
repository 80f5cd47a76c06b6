#include "Framework/VideoRecorder.h"

#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/ReleaseAndClear.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

constexpr const char* kSoundtrack = "Data\\lumenvale_final.ogg";
constexpr int kProgressWidth = 40;

// Single quotes for the shell, with embedded quotes closed and escaped.
std::string Quoted(const std::string& text) {
    std::string quoted = "'";
    for (const char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// The soundtrack as a file of its own, for the encoder; empty when the data file lacks it.
std::filesystem::path CopySoundtrack() {
    FileSys* files = FileSys::Instance();
    const std::uint32_t size = files != nullptr ? files->GetFileSize(kSoundtrack) : 0;
    if (size == 0) return {};
    std::vector<char> bytes(size);
    if (files->ReadFile(kSoundtrack, bytes.data()) == 0) return {};
    const auto path = std::filesystem::temp_directory_path() /
                      ("lumenvale-soundtrack-" + std::to_string(getpid()) + ".ogg");
    std::ofstream out(path, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw FrameworkEx("[VideoRecorder]: Could not write " + path.string());
    return path;
}

} // namespace

std::unique_ptr<VideoRecorder> VideoRecorder::ToFile(const std::string& file,
                                                     const FrameworkSettings& settings,
                                                     const Range& range) {
    if (std::system("command -v ffmpeg >/dev/null 2>&1") != 0)
        throw FrameworkEx("[VideoRecorder]: --video needs ffmpeg; install the ffmpeg package");
    const std::filesystem::path soundtrack = CopySoundtrack();
    std::ostringstream command;
    command << "ffmpeg -hide_banner -loglevel error -y -f rawvideo -pix_fmt bgra -video_size "
            << settings.pictureWidth << "x" << settings.pictureHeight << " -framerate "
            << range.framesPerSecond << " -i -";
    if (!soundtrack.empty())
        command << " -ss " << range.from << " -i " << Quoted(soundtrack.string())
                << " -map 0:v -map 1:a -c:a aac -b:a 192k -shortest";
    // H.264 in 4:2:0 wants even sizes.
    command << " -vf 'scale=trunc(iw/2)*2:trunc(ih/2)*2' -c:v libx264 -preset veryfast -crf 20"
               " -pix_fmt yuv420p -movflags +faststart "
            << Quoted(file);
    auto recorder = std::make_unique<VideoRecorder>(command.str(), range, file);
    recorder->soundtrackCopy = soundtrack;
    return recorder;
}

VideoRecorder::VideoRecorder(const std::string& command, const Range& frameRange,
                             std::string result)
    : pipe(VideoPipe::Open(command)), range(frameRange), what(std::move(result)) {
    if (!pipe) throw FrameworkEx("[VideoRecorder]: Could not start: " + command);
}

VideoRecorder::~VideoRecorder() {
    ReleaseAndClear(readBack);
    pipe.reset();
    if (!soundtrackCopy.empty()) {
        std::error_code ignored;
        std::filesystem::remove(soundtrackCopy, ignored);
    }
}

void VideoRecorder::Save(IDirect3DSurface9* backBuffer, const FrameworkSettings& settings) {
    IDirect3DDevice9* device = nullptr;
    backBuffer->GetDevice(&device);
    if (readBack == nullptr)
        device->CreateOffscreenPlainSurface(settings.screenWidth, settings.screenHeight,
                                            D3DFMT_A8R8G8B8, D3DPOOL_SYSTEMMEM, &readBack, nullptr);
    const HRESULT copied =
        readBack != nullptr ? device->GetRenderTargetData(backBuffer, readBack) : E_FAIL;
    device->Release();
    D3DLOCKED_RECT locked{};
    if (FAILED(copied) || FAILED(readBack->LockRect(&locked, nullptr, D3DLOCK_READONLY)))
        throw FrameworkEx("[VideoRecorder::Save]: Could not read the frame back");
    const std::uint32_t top = (settings.screenHeight - settings.pictureHeight) >> 1;
    bool written = true;
    for (std::uint32_t row = 0; row < settings.pictureHeight && written; ++row)
        written = pipe->Write(static_cast<const unsigned char*>(locked.pBits) +
                                  static_cast<std::size_t>(top + row) * locked.Pitch,
                              static_cast<std::size_t>(settings.pictureWidth) * 4);
    readBack->UnlockRect();
    if (!written) throw FrameworkEx("[VideoRecorder::Save]: The encoder stopped reading");
    ++frames;
    ShowProgress();
}

// One line rewritten in place, only when the percentage changes, so a log stays short.
void VideoRecorder::ShowProgress() {
    const double total = std::ceil((range.to - range.from) * range.framesPerSecond - 1e-9);
    const double done = total > 0.0 ? std::min(1.0, frames / total) : 1.0;
    const int percent = static_cast<int>(done * 100.0);
    if (percent == shownPercent) return;
    shownPercent = percent;
    const int filled = static_cast<int>(done * kProgressWidth);
    std::fprintf(stderr, "\rRendering %6.1f s of %.1f s [%s%s] %3d%%",
                 range.from + frames / range.framesPerSecond, range.to,
                 std::string(static_cast<std::size_t>(filled), '#').c_str(),
                 std::string(static_cast<std::size_t>(kProgressWidth - filled), '.').c_str(),
                 percent);
}

void VideoRecorder::Finish() {
    const int status = pipe->Close();
    std::fputc('\n', stderr);
    if (status != 0)
        throw FrameworkEx("[VideoRecorder::Finish]: The encoder failed with status " +
                          std::to_string(status));
    std::fprintf(stderr, "Video written to %s (%u frames)\n", what.c_str(), frames);
}
