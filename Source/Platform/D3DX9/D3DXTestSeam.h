// Lets tests count what the effect framework is asked: how often a parameter was looked up by
// semantic, so that a cache in front of it can be seen to work.
#pragma once

#include <cstddef>

namespace D3DXTestSeam {

std::size_t SemanticLookups();
void Clear();

// Used by the effects.
void CountSemanticLookup();

} // namespace D3DXTestSeam
