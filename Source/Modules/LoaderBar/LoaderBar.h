// The progress bar shown while the demo loads, registered as "LoaderBar": one quad drawn with
// "LoaderBar.fx", whose filling follows the tick count (0 to 255).
#pragma once

#include "Framework/LoaderBarModule.h"
#include "Framework/RenderClasses/Quads.h"

#include <cstdint>
#include <memory>

class LoaderBar final : public LoaderBarModule {
public:
    explicit LoaderBar(const char* moduleName) : LoaderBarModule(moduleName) {}

    void Load() override;
    void Unload() override;
    // Draws the bar into the picture area of the back buffer over a black clear.
    void Render() override;

    void SetTicks(std::uint32_t count) override { ticks = count; }
    // Clamped to 255 when the bar is drawn.
    std::uint32_t Ticks() const { return ticks; }
    const Quads* Batch() const { return quads.get(); }

private:
    std::uint32_t ticks = 0;
    std::unique_ptr<Quads> quads;
};
