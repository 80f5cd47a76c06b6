#include "Framework/RenderTargetResources/RSHandler.h"

#include "Framework/DXFramework.h"
#include "Framework/GuardedCall.h"
#include "Framework/ReleaseAndClear.h"

namespace {

constexpr const char* kGuardedSourcePath =
    ".\\Source\\Framework\\RenderTargetResources\\RSHandler\\RSHandler";

} // namespace

RSHandler::~RSHandler() {
    Clear();
}

unsigned RSHandler::Request(const RSDescriptor& descriptor) {
    auto matches = [&](const RSRecord& record) {
        return record.width == descriptor.width && record.height == descriptor.height &&
               record.format == descriptor.format;
    };
    auto create = [&] {
        const DXFramework* framework = DXFramework::Instance();
        RSRecord record;
        GUARDED(g_pd3dDevice->CreateRenderTarget(
            descriptor.width, descriptor.height, descriptor.format,
            static_cast<D3DMULTISAMPLE_TYPE>(framework->settings.multiSampleType),
            framework->settings.multiSampleQuality, FALSE, &record.surface, nullptr));
        if (record.surface == nullptr)
            throw FrameworkEx("[RSHandler::Request]: the device is lost, no render surface made");
        record.width = descriptor.width;
        record.height = descriptor.height;
        record.format = descriptor.format;
        return record;
    };
    return records.Request(matches, create);
}

void RSHandler::Release(unsigned index) {
    records.Release(index);
}

const RSRecord& RSHandler::Get(unsigned index) const {
    const RSRecord* record = records.Find(index);
    if (record == nullptr)
        throw FrameworkEx("[RSHandler::Get]: no render surface " + std::to_string(index));
    return *record;
}

void RSHandler::Clear() {
    for (RSRecord& record : records.All())
        ReleaseAndClear(record.surface);
    records.All().clear();
}
