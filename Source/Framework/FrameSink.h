// Where the frame loop hands each presented frame: PNG files, a video encoder.
#pragma once

#include "Framework/FrameworkSettings.h"
#include "Platform/D3D9/D3D9.h"

class FrameSink {
public:
    virtual ~FrameSink() = default;
    // Takes the picture area of the frame just presented.
    virtual void Save(IDirect3DSurface9* backBuffer, const FrameworkSettings& settings) = 0;
    // After the last frame.
    virtual void Finish() {}
};
