// Base of every module: a named drawing unit owned by the module registry.
#pragma once

#include <string>
#include <utility>

class DXModule {
public:
    explicit DXModule(std::string moduleName) : name(std::move(moduleName)) {}
    virtual ~DXModule() = default;
    DXModule(const DXModule&) = delete;
    DXModule& operator=(const DXModule&) = delete;

    // Creates the module's device objects and loads its files.
    virtual void Load() {}
    // Releases the module's device objects.
    virtual void Unload() {}
    virtual void Update() {}
    virtual void Render() {}
    virtual void SetFade(float value) { fade = value; }

    const std::string& Name() const { return name; }

protected:
    float fade = 0.0f;

private:
    std::string name;
};
