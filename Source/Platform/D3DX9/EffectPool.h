// The shared parameters of the effects created with one pool: one slot per parameter name, alive
// as long as some effect declares it. The first effect to declare a name gives its initial
// value; later declarations must have the same type and size.
#pragma once

#include "Platform/D3DX9/D3DXEffect.h"
#include "Platform/D3DX9/ParameterSlot.h"

#include <map>
#include <memory>
#include <string>

class EffectPool final : public ID3DXEffectPool {
public:
    // The pool's slot for a shared parameter, made from the declaration when no living effect
    // has it; throws EffectError at the declaration when it does not fit the slot.
    std::shared_ptr<ParameterSlot> Share(const EffectParameter& declaration);

private:
    std::map<std::string, std::weak_ptr<ParameterSlot>> slots;
};
