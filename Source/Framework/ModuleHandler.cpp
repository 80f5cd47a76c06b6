#include "Framework/ModuleHandler.h"

namespace {
const std::string kLoaderBar = "LoaderBar";
} // namespace

void ModuleHandler::Add(DXModule* module) {
    std::unique_ptr<DXModule> owned(module);
    modules.try_emplace(owned->Name(), std::move(owned));
}

DXModule* ModuleHandler::Get(const std::string& name) const {
    DXModule* module = Find(name);
    if (module == nullptr)
        throw FrameworkEx("[ModuleHandler::Get]: Module \"" + name + "\" not registered.");
    return module;
}

DXModule* ModuleHandler::Find(const std::string& name) const {
    const auto found = modules.find(name);
    return found == modules.end() ? nullptr : found->second.get();
}

void ModuleHandler::LoadAll() {
    if (DXModule* loaderBar = Find(kLoaderBar)) loaderBar->Load();
    for (const auto& [name, module] : modules)
        if (name != kLoaderBar) module->Load();
}

void ModuleHandler::UnloadAll() {
    for (const auto& entry : modules)
        entry.second->Unload();
}
