// Texture creation and uploads bind on a unit of their own, above the sixteen samplers, so that
// what the device has bound for drawing stays bound.
#pragma once

#include <epoxy/gl.h>

class ScratchTextureUnit {
public:
    static constexpr GLenum kUnit = 16;

    ScratchTextureUnit(GLenum bindTarget, GLuint texture) : target(bindTarget) {
        glGetIntegerv(GL_ACTIVE_TEXTURE, &previousUnit);
        glActiveTexture(GL_TEXTURE0 + kUnit);
        glBindTexture(target, texture);
    }
    ~ScratchTextureUnit() {
        glBindTexture(target, 0);
        glActiveTexture(static_cast<GLenum>(previousUnit));
    }
    ScratchTextureUnit(const ScratchTextureUnit&) = delete;
    ScratchTextureUnit& operator=(const ScratchTextureUnit&) = delete;

private:
    GLenum target;
    GLint previousUnit = GL_TEXTURE0;
};
