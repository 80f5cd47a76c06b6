// A curve as the curve compiler reads it from text and writes it for the engine.
#pragma once

#include <string>
#include <vector>

struct CurveKey {
    float time;
    float value;
    float inTangent;
    float outTangent;
};

struct CurveDefinition {
    std::string name;   // the entry is "Data\anim\" + name
    std::string origin; // "file:line" of its header, for messages
    std::vector<CurveKey> keys;
};
