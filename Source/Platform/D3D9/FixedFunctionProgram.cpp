#include "Platform/D3D9/FixedFunctionProgram.h"

#include <stdexcept>
#include <string>

namespace {

// The same clip-space epilogue as the effect programs: Direct3D depth, row 0 at the top.
constexpr const char* kVertexSource = R"(#version 330 core
layout(location = 0) in vec4 position;
layout(location = 3) in vec4 colour;
layout(location = 8) in vec2 texCoord;
out vec4 vColour;
out vec2 vTexCoord;
void main() {
    gl_Position = position;
    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;
    gl_Position.y = -gl_Position.y;
    vColour = colour;
    vTexCoord = texCoord;
}
)";

constexpr const char* kFragmentSource = R"(#version 330 core
uniform sampler2D stage0;
uniform bool useTexture;
in vec4 vColour;
in vec2 vTexCoord;
out vec4 colour;
void main() {
    colour = useTexture ? vColour * texture(stage0, vTexCoord) : vColour;
}
)";

GLuint Compile(GLenum stage, const char* source) {
    const GLuint shader = glCreateShader(stage);
    glShaderSource(shader, 1, &source, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (!compiled) {
        char log[1024] = {};
        glGetShaderInfoLog(shader, sizeof log, nullptr, log);
        throw std::runtime_error(std::string("fixed-function stand-in does not compile: ") + log);
    }
    return shader;
}

} // namespace

FixedFunctionProgram::FixedFunctionProgram() {
    const GLuint vertex = Compile(GL_VERTEX_SHADER, kVertexSource);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, kFragmentSource);
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "stage0"), 0);
    useTextureLocation = glGetUniformLocation(program, "useTexture");
}

FixedFunctionProgram::~FixedFunctionProgram() {
    glDeleteProgram(program);
}

void FixedFunctionProgram::UseTexture(bool sample) const {
    glUniform1i(useTextureLocation, sample ? 1 : 0);
}
