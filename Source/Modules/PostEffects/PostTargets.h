// The render targets of the post-processing passes: binding a target record, and keeping the
// caller's render target 0 and viewport across passes that bind targets of their own.
#pragma once

#include "Framework/RenderTargetResources/RTHandler.h"
#include "Platform/D3D9/D3D9.h"

// Binds the target's level 0 as render target 0 with the framework's plain depth surface, which
// sets the viewport to the whole target. Guarded.
void BindPostTarget(const RTRecord& target);

// Reads render target 0 (holding a reference) and the viewport; Restore sets them back and
// drops the reference. A saved target that is never restored only drops its reference.
class SavedRenderTarget {
public:
    SavedRenderTarget();
    ~SavedRenderTarget();
    SavedRenderTarget(const SavedRenderTarget&) = delete;
    SavedRenderTarget& operator=(const SavedRenderTarget&) = delete;

    // Guarded.
    void Restore();

private:
    IDirect3DSurface9* target = nullptr;
    D3DVIEWPORT9 viewport{};
};
