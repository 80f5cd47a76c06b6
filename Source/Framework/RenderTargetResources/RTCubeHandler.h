// The holder of the cube render-target textures, shared by format and edge length.
#pragma once

#include "Framework/RenderTargetResources/TargetRecords.h"
#include "Framework/Singleton.h"
#include "Platform/D3D9/D3D9.h"

#include <array>

struct RTCubeDescriptor {
    D3DFORMAT format;
    std::uint32_t edgeLength;
};

struct RTCubeRecord {
    std::uint32_t useCount = 0;
    IDirect3DCubeTexture9* texture = nullptr; // owned
    // Level 0 of each face: +X, -X, +Y, -Y, +Z, -Z; owned references.
    std::array<IDirect3DSurface9*, 6> faces{};
    D3DFORMAT format = D3DFMT_UNKNOWN;
    std::uint32_t edgeLength = 0;
};

class RTCubeHandler : public Singleton<RTCubeHandler> {
public:
    RTCubeHandler() : Singleton("RTCubeHandler") {}
    ~RTCubeHandler();

    unsigned Request(const RTCubeDescriptor& descriptor);
    void Release(unsigned index);
    const RTCubeRecord& Get(unsigned index) const;
    // Releases every record's six face surfaces, then its texture, and forgets the records.
    void Clear();

private:
    static inline TargetRecords<RTCubeRecord> records;
};
