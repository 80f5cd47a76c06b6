// The engine's curve entry: per key 16 bytes, time, value, inTangent and outTangent as
// little-endian IEEE-754 single-precision numbers.
#pragma once

#include "CurveCompiler/CurveDefinition.h"

#include <vector>

std::vector<unsigned char> EncodeKeys(const std::vector<CurveKey>& keys);
