// The progress bar shown while the demo loads, registered as "LoaderBar".
#pragma once

#include "Framework/LoaderBarModule.h"

#include <algorithm>
#include <cstdint>

class LoaderBar final : public LoaderBarModule {
public:
    explicit LoaderBar(const char* moduleName) : LoaderBarModule(moduleName) {}

    // The bar is full at 255 ticks.
    void SetTicks(std::uint32_t count) override { ticks = std::min<std::uint32_t>(count, 255); }
    std::uint32_t Ticks() const { return ticks; }

private:
    std::uint32_t ticks = 0;
};
