// Serves the effect source's include requests through a D3DX include handler, and remembers
// the handler's result when it refuses one, which D3DXCreateEffect then returns.
#pragma once

#include "Platform/D3DX9/D3DXEffect.h"
#include "Platform/D3DX9/EffectSource.h"

class IncludeAdapter : public IncludeHandler {
public:
    explicit IncludeAdapter(ID3DXInclude* handler) : include(handler) {}

    std::optional<std::string> Open(const std::string& name) override;
    // The failing result of the last refused request; D3D_OK while none was refused.
    HRESULT Failure() const { return failure; }

private:
    ID3DXInclude* include;
    HRESULT failure = D3D_OK;
};
