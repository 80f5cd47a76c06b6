// What the framework needs of the loader bar: a module whose tick count it raises while loading.
#pragma once

#include "Framework/DXModule.h"

#include <cstdint>

class LoaderBarModule : public DXModule {
public:
    using DXModule::DXModule;
    virtual void SetTicks(std::uint32_t ticks) = 0;
};
