// The guarded-call convention for device calls whose result matters: success goes on, a lost
// device only sets the framework's device-lost flag, and any other result throws FrameworkEx
// "Error: <result name>\n\n<source path> : <line>".
#pragma once

#include "Platform/D3D9/D3D9Types.h"

void GuardedCall(HRESULT result, const char* sourcePath, int line);

// Guards a call with the source path of the calling file, kGuardedSourcePath.
#define GUARDED(call) GuardedCall((call), kGuardedSourcePath, __LINE__)
