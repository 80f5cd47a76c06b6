#include "Platform/D3D9/D3D9.h"

unsigned long Unknown::Release() {
    const unsigned long remaining = --referenceCount;
    if (remaining == 0) delete this;
    return remaining;
}
