// The holder of the render surfaces (targets without a texture), shared by size and format.
#pragma once

#include "Framework/RenderTargetResources/TargetRecords.h"
#include "Framework/Singleton.h"
#include "Platform/D3D9/D3D9.h"

struct RSDescriptor {
    std::uint32_t width;
    std::uint32_t height;
    D3DFORMAT format;
};

struct RSRecord {
    std::uint32_t useCount = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    D3DFORMAT format = D3DFMT_UNKNOWN;
    IDirect3DSurface9* surface = nullptr; // owned
};

class RSHandler : public Singleton<RSHandler> {
public:
    RSHandler() : Singleton("RSHandler") {}
    ~RSHandler();

    unsigned Request(const RSDescriptor& descriptor);
    void Release(unsigned index);
    const RSRecord& Get(unsigned index) const;
    void Clear();

private:
    static inline TargetRecords<RSRecord> records;
};
