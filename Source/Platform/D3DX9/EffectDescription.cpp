#include "Platform/D3DX9/EffectDescription.h"

#include <algorithm>

const EffectParameter* EffectDescription::FindParameter(const std::string& name) const {
    const auto found = std::ranges::find(parameters, name, &EffectParameter::name);
    return found == parameters.end() ? nullptr : &*found;
}

const EffectFunction* EffectDescription::FindFunction(const std::string& name) const {
    const auto found = std::ranges::find(functions, name, &EffectFunction::name);
    return found == functions.end() ? nullptr : &*found;
}
