// Writes the picture area of each presented frame as a numbered PNG file.
#pragma once

#include "Framework/FrameSink.h"

#include <cstdint>
#include <string>

class FrameCapture final : public FrameSink {
public:
    // Creates the directory; throws FrameworkEx when it cannot.
    explicit FrameCapture(std::string directory);

    // Saves DIR/frame_NNNNN.png; throws FrameworkEx when the file cannot be written.
    void Save(IDirect3DSurface9* backBuffer, const FrameworkSettings& settings) override;
    std::uint32_t FramesSaved() const { return frame; }

private:
    std::string directory;
    std::uint32_t frame = 0;
};
