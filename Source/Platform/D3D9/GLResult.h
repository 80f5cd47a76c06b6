// GL errors as Direct3D results.
#pragma once

#include "Platform/D3D9/D3D9Types.h"

#include <epoxy/gl.h>

// Takes every pending GL error: a resource creation that left GL_OUT_OF_MEMORY means the driver
// had no memory for it, any other error an invalid call.
inline HRESULT TakeGLCreationResult() {
    HRESULT result = D3D_OK;
    for (GLenum error = glGetError(); error != GL_NO_ERROR; error = glGetError())
        result = error == GL_OUT_OF_MEMORY ? D3DERR_OUTOFVIDEOMEMORY : D3DERR_INVALIDCALL;
    return result;
}
