#include "Platform/D3D9/D3D9TestSeam.h"

#include <deque>
#include <map>
#include <optional>

namespace D3D9TestSeam {
namespace {

struct SeamState {
    std::map<std::string, std::deque<HRESULT>> injectedResults;
    std::function<void(D3DCAPS9&)> capsOverride;
    std::optional<std::vector<D3DDISPLAYMODE>> modes;
    bool failDirect3DCreate = false;
};

SeamState& State() {
    static SeamState state;
    return state;
}

} // namespace

void InjectResult(const std::string& operation, HRESULT result) {
    State().injectedResults[operation].push_back(result);
}

void OverrideCaps(std::function<void(D3DCAPS9&)> change) {
    State().capsOverride = std::move(change);
}

void SetAdapterModes(std::vector<D3DDISPLAYMODE> modes) {
    State().modes = std::move(modes);
}

void FailDirect3DCreate(bool fail) {
    State().failDirect3DCreate = fail;
}

void Clear() {
    State() = SeamState{};
}

HRESULT TakeInjectedResult(const char* operation) {
    auto& results = State().injectedResults;
    const auto found = results.find(operation);
    if (found == results.end() || found->second.empty()) return D3D_OK;
    const HRESULT result = found->second.front();
    found->second.pop_front();
    return result;
}

void ApplyCapsOverride(D3DCAPS9& caps) {
    if (State().capsOverride) State().capsOverride(caps);
}

const std::vector<D3DDISPLAYMODE>* ScriptedModes() {
    return State().modes ? &*State().modes : nullptr;
}

bool Direct3DCreateFails() {
    return State().failDirect3DCreate;
}

} // namespace D3D9TestSeam
