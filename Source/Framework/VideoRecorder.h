// Encodes the rendered show into a video: each frame's picture area goes as raw B, G, R, A rows
// into an encoder process, with a progress bar on standard error.
#pragma once

#include "Framework/FrameSink.h"
#include "Platform/Video/VideoPipe.h"

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class VideoRecorder final : public FrameSink {
public:
    struct Range {
        double from;
        double to;
        double framesPerSecond;
    };

    // H.264 with the soundtrack from `range.from` on, through ffmpeg; throws FrameworkEx when
    // ffmpeg is missing or the soundtrack cannot be handed to it.
    static std::unique_ptr<VideoRecorder>
    ToFile(const std::string& file, const FrameworkSettings& settings, const Range& range);
    // Frames into any command that reads them on its standard input (`what` names the result in
    // the closing line); throws FrameworkEx when the command cannot be started.
    VideoRecorder(const std::string& command, const Range& range, std::string what);
    ~VideoRecorder() override;

    // Throws FrameworkEx when the encoder stopped reading.
    void Save(IDirect3DSurface9* backBuffer, const FrameworkSettings& settings) override;
    // Waits for the encoder; throws FrameworkEx when it failed.
    void Finish() override;

    std::uint32_t FramesWritten() const { return frames; }

private:
    void ShowProgress();

    std::unique_ptr<VideoPipe> pipe;
    Range range;
    std::string what;
    std::filesystem::path soundtrackCopy; // removed when the recorder goes
    IDirect3DSurface9* readBack = nullptr;
    std::uint32_t frames = 0;
    int shownPercent = -1;
};
