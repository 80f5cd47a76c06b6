// The program a draw uses when no effect pass has set one: what Direct3D's fixed-function
// pipeline does with identity transforms and the default stage 0, that is positions as clip
// coordinates, and the vertex colour (white when the declaration has none) times the 2D texture
// of stage 0 when one is bound.
#pragma once

#include <epoxy/gl.h>

class FixedFunctionProgram {
public:
    FixedFunctionProgram();
    ~FixedFunctionProgram();
    FixedFunctionProgram(const FixedFunctionProgram&) = delete;
    FixedFunctionProgram& operator=(const FixedFunctionProgram&) = delete;

    GLuint Name() const { return program; }
    // Makes the program sample stage 0 or not; the program must be current.
    void UseTexture(bool sample) const;

private:
    GLuint program = 0;
    GLint useTextureLocation = -1;
};
