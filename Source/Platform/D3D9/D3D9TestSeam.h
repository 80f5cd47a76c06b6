// Lets tests steer the device layer: a chosen result for the next call of a named operation,
// reported capabilities changed, or the adaptor's display modes replaced by a scripted list.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <functional>
#include <string>
#include <vector>

namespace D3D9TestSeam {

// The next call of the operation (its method name, e.g. "CreateDevice", "Present") returns
// this result without doing its work. Several injections for one operation queue up.
void InjectResult(const std::string& operation, HRESULT result);
// Changes the capabilities that GetDeviceCaps reports.
void OverrideCaps(std::function<void(D3DCAPS9&)> change);
// Replaces the display modes of adaptor 0 (and the current mode, the first one listed).
void SetAdapterModes(std::vector<D3DDISPLAYMODE> modes);
// Makes Direct3DCreate9 fail as if no OpenGL 3.3 context could be made.
void FailDirect3DCreate(bool fail);
// Forgets every injection and override.
void Clear();

// Used by the device layer: the injected result for this call, or D3D_OK when none.
HRESULT TakeInjectedResult(const char* operation);
void ApplyCapsOverride(D3DCAPS9& caps);
const std::vector<D3DDISPLAYMODE>* ScriptedModes();
bool Direct3DCreateFails();

} // namespace D3D9TestSeam
