// The display settings chosen in the setup dialog, with their defaults for "--nosetup".
#pragma once

#include <cstdint>

struct FrameworkSettings {
    std::uint32_t screenWidth = 1280;  // back buffer and window client width
    std::uint32_t screenHeight = 800;  // back buffer and window client height
    std::uint32_t pictureWidth = 1280; // the letterboxed 16:9 picture area
    std::uint32_t pictureHeight = 720;
    std::uint32_t refreshRate = 0; // full-screen refresh rate in Hz
    std::uint32_t multiSampleType = 0;
    std::uint32_t multiSampleQuality = 0;
    float monitorAspect = 0.0f; // physical width / height of the monitor
    bool fullscreen = false;
    bool vsync = false;
    bool highVideoMemory = true; // false when "Low VRAM" was ticked
};
