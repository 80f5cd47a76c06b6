// The holder of the 2D render-target textures, shared by format and size.
#pragma once

#include "Framework/RenderTargetResources/TargetRecords.h"
#include "Framework/Singleton.h"
#include "Platform/D3D9/D3D9.h"

struct RTDescriptor {
    D3DFORMAT format;
    std::uint32_t width;
    std::uint32_t height;
};

struct RTRecord {
    std::uint32_t useCount = 0;
    IDirect3DTexture9* texture = nullptr; // owned
    IDirect3DSurface9* surface = nullptr; // level 0 of the texture, owned reference
    D3DFORMAT format = D3DFMT_UNKNOWN;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
};

class RTHandler : public Singleton<RTHandler> {
public:
    RTHandler() : Singleton("RTHandler") {}
    ~RTHandler();

    // The index of a free target of this shape, now in use; creates one when none is free.
    // Throws FrameworkEx when the device is lost and nothing could be made.
    unsigned Request(const RTDescriptor& descriptor);
    // Frees a record in use; a free record stays free.
    void Release(unsigned index);
    // Throws FrameworkEx for an index no request returned.
    const RTRecord& Get(unsigned index) const;
    // Releases every record's device objects (surface, then texture) and forgets the records.
    void Clear();

private:
    static inline TargetRecords<RTRecord> records;
};
