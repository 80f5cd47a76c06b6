#include "Platform/D3DX9/D3DXTestSeam.h"

namespace {

std::size_t semanticLookups = 0;

} // namespace

namespace D3DXTestSeam {

std::size_t SemanticLookups() {
    return semanticLookups;
}

void Clear() {
    semanticLookups = 0;
}

void CountSemanticLookup() {
    ++semanticLookups;
}

} // namespace D3DXTestSeam
