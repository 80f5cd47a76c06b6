// The Direct3D object: adaptor 0 is SDL's display 0 with the limits of an OpenGL 3.3 context.
#pragma once

#include "Platform/D3D9/D3D9.h"

#include <vector>

class Direct3D9 final : public IDirect3D9 {
public:
    // Reads the adaptor's limits from a probe context; null when none can be made.
    static Direct3D9* Create();
    ~Direct3D9() override;

    UINT GetAdapterModeCount(UINT adapter, D3DFORMAT format) override;
    HRESULT EnumAdapterModes(UINT adapter, D3DFORMAT format, UINT mode,
                             D3DDISPLAYMODE* displayMode) override;
    HRESULT GetAdapterDisplayMode(UINT adapter, D3DDISPLAYMODE* displayMode) override;
    HRESULT CheckDeviceFormat(UINT adapter, D3DDEVTYPE deviceType, D3DFORMAT adapterFormat,
                              DWORD usage, D3DRESOURCETYPE resourceType,
                              D3DFORMAT checkFormat) override;
    HRESULT GetDeviceCaps(UINT adapter, D3DDEVTYPE deviceType, D3DCAPS9* caps) override;
    HRESULT CreateDevice(UINT adapter, D3DDEVTYPE deviceType, HWND focusWindow, DWORD behaviorFlags,
                         D3DPRESENT_PARAMETERS* presentationParameters,
                         IDirect3DDevice9** device) override;

    // Asks SDL for the OpenGL 3.3 core context every device and probe uses.
    static void RequestCoreContext();

private:
    Direct3D9() = default;
    std::vector<D3DDISPLAYMODE> AdapterModes() const;

    D3DCAPS9 caps{};
};
