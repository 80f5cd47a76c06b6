#include "Modules/PostEffects/PostEffectsTestSeam.h"

namespace {

bool recording = false;
std::vector<PostEffectsTestSeam::Draw> draws;

} // namespace

namespace PostEffectsTestSeam {

void RecordDraws() {
    recording = true;
}

const std::vector<Draw>& Draws() {
    return draws;
}

void Clear() {
    recording = false;
    draws.clear();
}

bool Recording() {
    return recording;
}

void Record(const Draw& draw) {
    if (recording) draws.push_back(draw);
}

} // namespace PostEffectsTestSeam
