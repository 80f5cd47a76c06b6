// Reads curve text: several curves a file, one key a line.
//
//   # A comment runs from '#' to the end of the line; blank lines are ignored.
//   curve TetrisCam1.translateX      # starts a curve; its keys follow
//   0     0                          # time value: smooth automatic tangents
//   2.5   4       1.5                # time value tangent: arrives and leaves with this slope
//   4     3       0     -2           # time value inTangent outTangent
//
// Times are seconds and strictly ascending within a curve; slopes are value units per second.
// An automatic tangent is Catmull-Rom's: the slope from the previous key to the next one, and 0
// at the first and the last key, so that a curve rests at its end values.
#pragma once

#include "CurveCompiler/CurveDefinition.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

// "source:line: what is wrong".
class CurveSyntaxError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Curve names become file names and data-file entry names.
constexpr std::size_t maxCurveNameLength = 255;

// The curves of one text in their order; sourceName labels the messages. Throws
// CurveSyntaxError at the first fault: an unknown line, a key before any curve, a bad or
// non-finite number, times not ascending, a curve without keys, a name used twice or one that
// cannot be a file name (containing '/' or '\', "." or "..", longer than maxCurveNameLength).
std::vector<CurveDefinition> ParseCurveText(std::string_view text, const std::string& sourceName);
