#include "Platform/D3DX9/EffectDescription.h"

#include <algorithm>
#include <cctype>

const EffectParameter* EffectDescription::FindParameter(const std::string& name) const {
    const auto found = std::ranges::find(parameters, name, &EffectParameter::name);
    return found == parameters.end() ? nullptr : &*found;
}

const EffectFunction* EffectDescription::FindFunction(const std::string& name) const {
    const auto found = std::ranges::find(functions, name, &EffectFunction::name);
    return found == functions.end() ? nullptr : &*found;
}

std::string IndexedSemantic(const std::string& semantic) {
    return !semantic.empty() && std::isdigit(static_cast<unsigned char>(semantic.back()))
               ? semantic
               : semantic + "0";
}
