#include "Framework/RenderTargetResources/RTHandler.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"

namespace {

constexpr const char* kGuardedSourcePath =
    ".\\Source\\Framework\\RenderTargetResources\\RTHandler\\RTHandler";

} // namespace

RTHandler::~RTHandler() {
    Clear();
}

unsigned RTHandler::Request(const RTDescriptor& descriptor) {
    auto matches = [&](const RTRecord& record) {
        return record.width == descriptor.width && record.height == descriptor.height &&
               record.format == descriptor.format;
    };
    auto create = [&] {
        RTRecord record;
        GUARDED(g_pd3dDevice->CreateTexture(descriptor.width, descriptor.height, 1,
                                            D3DUSAGE_RENDERTARGET, descriptor.format,
                                            D3DPOOL_DEFAULT, &record.texture, nullptr));
        // A lost device made nothing; a record without a texture would break every user.
        if (record.texture == nullptr)
            throw FrameworkEx("[RTHandler::Request]: the device is lost, no render target made");
        GUARDED(record.texture->GetSurfaceLevel(0, &record.surface));
        record.format = descriptor.format;
        record.width = descriptor.width;
        record.height = descriptor.height;
        return record;
    };
    return records.Request(matches, create);
}

void RTHandler::Release(unsigned index) {
    records.Release(index);
}

const RTRecord& RTHandler::Get(unsigned index) const {
    const RTRecord* record = records.Find(index);
    if (record == nullptr)
        throw FrameworkEx("[RTHandler::Get]: no render target " + std::to_string(index));
    return *record;
}

void RTHandler::Clear() {
    for (RTRecord& record : records.All()) {
        ReleaseAndClear(record.surface);
        ReleaseAndClear(record.texture);
    }
    records.All().clear();
}
