#include "Framework/RenderTargetResources/RTCubeHandler.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"

namespace {

constexpr const char* kGuardedSourcePath =
    ".\\Source\\Framework\\RenderTargetResources\\RTCubeHandler\\RTCubeHandler";

} // namespace

RTCubeHandler::~RTCubeHandler() {
    Clear();
}

unsigned RTCubeHandler::Request(const RTCubeDescriptor& descriptor) {
    auto matches = [&](const RTCubeRecord& record) {
        return record.edgeLength == descriptor.edgeLength && record.format == descriptor.format;
    };
    auto create = [&] {
        RTCubeRecord record;
        GUARDED(g_pd3dDevice->CreateCubeTexture(descriptor.edgeLength, 1, D3DUSAGE_RENDERTARGET,
                                                descriptor.format, D3DPOOL_DEFAULT, &record.texture,
                                                nullptr));
        if (record.texture == nullptr)
            throw FrameworkEx(
                "[RTCubeHandler::Request]: the device is lost, no cube render target made");
        for (int face = 0; face < 6; ++face)
            GUARDED(record.texture->GetCubeMapSurface(static_cast<D3DCUBEMAP_FACES>(face), 0,
                                                      &record.faces[face]));
        record.format = descriptor.format;
        record.edgeLength = descriptor.edgeLength;
        return record;
    };
    return records.Request(matches, create);
}

void RTCubeHandler::Release(unsigned index) {
    records.Release(index);
}

const RTCubeRecord& RTCubeHandler::Get(unsigned index) const {
    const RTCubeRecord* record = records.Find(index);
    if (record == nullptr)
        throw FrameworkEx("[RTCubeHandler::Get]: no cube render target " + std::to_string(index));
    return *record;
}

void RTCubeHandler::Clear() {
    for (RTCubeRecord& record : records.All()) {
        for (IDirect3DSurface9*& face : record.faces)
            ReleaseAndClear(face);
        ReleaseAndClear(record.texture);
    }
    records.All().clear();
}
