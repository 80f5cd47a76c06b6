// The global effect: it declares the shared parameters, so that they exist in the pool before
// any other effect, and draws nothing itself.
#include "shared.fxh"
