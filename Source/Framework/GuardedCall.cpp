#include "Framework/GuardedCall.h"

#include "Framework/DXFramework.h"
#include "Framework/FrameworkEx.h"

#include <string>

void GuardedCall(HRESULT result, const char* sourcePath, int line) {
    if (result == D3D_OK) return;
    if (result == D3DERR_DEVICELOST) {
        if (DXFramework* framework = DXFramework::Instance()) framework->deviceLost = true;
        return;
    }
    throw FrameworkEx(std::string("Error: ") + DXFramework::ErrorName(result) + "\n\n" +
                      sourcePath + " : " + std::to_string(line));
}
