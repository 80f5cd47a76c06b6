// The registry of modules, by name in byte-wise order; it owns them.
#pragma once

#include "Framework/DXModule.h"
#include "Framework/Singleton.h"

#include <map>
#include <memory>
#include <string>

class ModuleHandler : public Singleton<ModuleHandler> {
public:
    ModuleHandler() : Singleton("ModuleHandler") {}

    // Takes ownership; a module whose name is already registered is deleted, the first stays.
    void Add(DXModule* module);
    // The module of this name; throws FrameworkEx naming it when there is none.
    DXModule* Get(const std::string& name) const;
    // The module of this name, or null.
    DXModule* Find(const std::string& name) const;
    // Loads "LoaderBar" first, so it can show the progress of the others, then the rest.
    void LoadAll();
    void UnloadAll();

private:
    std::map<std::string, std::unique_ptr<DXModule>> modules;
};
