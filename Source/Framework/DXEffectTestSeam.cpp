#include "Framework/DXEffectTestSeam.h"

namespace {

bool recording = false;
std::vector<DXEffectTestSeam::TextureRequest> requests;

} // namespace

namespace DXEffectTestSeam {

void RecordTextureRequests() {
    recording = true;
}

const std::vector<TextureRequest>& TextureRequests() {
    return requests;
}

void Clear() {
    recording = false;
    requests.clear();
}

void Record(const TextureRequest& request) {
    if (recording) requests.push_back(request);
}

} // namespace DXEffectTestSeam
