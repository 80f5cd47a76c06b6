#include "Platform/D3DX9/PassProgram.h"

#include "Platform/D3DX9/GlslGenerator.h"

#include <algorithm>
#include <string>

namespace {

std::string InfoLog(GLuint object, bool isProgram) {
    GLint length = 0;
    if (isProgram)
        glGetProgramiv(object, GL_INFO_LOG_LENGTH, &length);
    else
        glGetShaderiv(object, GL_INFO_LOG_LENGTH, &length);
    std::string log(static_cast<std::size_t>(std::max(length, 1)), '\0');
    if (isProgram)
        glGetProgramInfoLog(object, length, nullptr, log.data());
    else
        glGetShaderInfoLog(object, length, nullptr, log.data());
    log.resize(log.find('\0') == std::string::npos ? log.size() : log.find('\0'));
    while (!log.empty() && (log.back() == '\n' || log.back() == ' '))
        log.pop_back();
    return log;
}

// The shader object, or the driver's complaint.
GLuint Compile(GLenum stage, const std::string& source, std::string* log) {
    const GLuint shader = glCreateShader(stage);
    const char* text = source.c_str();
    glShaderSource(shader, 1, &text, nullptr);
    glCompileShader(shader);
    GLint compiled = GL_FALSE;
    glGetShaderiv(shader, GL_COMPILE_STATUS, &compiled);
    if (compiled == GL_TRUE) return shader;
    *log = InfoLog(shader, false);
    glDeleteShader(shader);
    return 0;
}

// Binds a program for uploads and puts back the one GL used before.
class ProgramBinding {
public:
    explicit ProgramBinding(GLuint program) {
        glGetIntegerv(GL_CURRENT_PROGRAM, &previous);
        if (static_cast<GLuint>(previous) != program) glUseProgram(program);
    }
    ~ProgramBinding() { glUseProgram(static_cast<GLuint>(previous)); }
    ProgramBinding(const ProgramBinding&) = delete;
    ProgramBinding& operator=(const ProgramBinding&) = delete;

private:
    GLint previous = 0;
};

void UploadValues(GLint location, const EffectType& type, GLsizei elements,
                  std::span<const float> values) {
    if (type.base != EffectBaseType::Float) {
        std::vector<GLint> integers(values.begin(), values.end());
        switch (type.columns) {
        case 1:
            return glUniform1iv(location, elements, integers.data());
        case 2:
            return glUniform2iv(location, elements, integers.data());
        case 3:
            return glUniform3iv(location, elements, integers.data());
        default:
            return glUniform4iv(location, elements, integers.data());
        }
    }
    // Row-major matrices for the row-vector convention go up as they are: the shaders write
    // M * v where Direct3D wrote mul(v, M).
    if (type.rows == 4) return glUniformMatrix4fv(location, elements, GL_FALSE, values.data());
    switch (type.columns) {
    case 1:
        return glUniform1fv(location, elements, values.data());
    case 2:
        return glUniform2fv(location, elements, values.data());
    case 3:
        return glUniform3fv(location, elements, values.data());
    default:
        return glUniform4fv(location, elements, values.data());
    }
}

} // namespace

PassProgram::PassProgram(const EffectDescription& description, const EffectPass& pass) {
    const GlslProgram sources = GlslGenerator(description).Generate(pass);
    std::string log;
    const GLuint vertex = Compile(GL_VERTEX_SHADER, sources.vertexSource, &log);
    if (vertex == 0)
        throw EffectError(pass.location, "vertex shader '" + pass.vertexShader + "' of pass '" +
                                             pass.name + "' does not compile: " + log);
    const GLuint fragment = Compile(GL_FRAGMENT_SHADER, sources.fragmentSource, &log);
    if (fragment == 0) {
        glDeleteShader(vertex);
        throw EffectError(pass.location, "pixel shader '" + pass.pixelShader + "' of pass '" +
                                             pass.name + "' does not compile: " + log);
    }
    program = glCreateProgram();
    glAttachShader(program, vertex);
    glAttachShader(program, fragment);
    glLinkProgram(program);
    glDeleteShader(vertex);
    glDeleteShader(fragment);
    GLint linked = GL_FALSE;
    glGetProgramiv(program, GL_LINK_STATUS, &linked);
    if (linked != GL_TRUE) {
        log = InfoLog(program, true);
        glDeleteProgram(program);
        throw EffectError(pass.location, "pass '" + pass.name + "' does not link: " + log);
    }
    try {
        FindUniforms(description, pass);
    } catch (...) {
        glDeleteProgram(program);
        throw;
    }
}

PassProgram::~PassProgram() {
    glDeleteProgram(program);
}

void PassProgram::FindUniforms(const EffectDescription& description, const EffectPass& pass) {
    const ProgramBinding binding(program);
    for (std::size_t index = 0; index < description.parameters.size(); ++index) {
        const EffectParameter& parameter = description.parameters[index];
        if (parameter.type.IsTexture()) continue;
        const GLint location = glGetUniformLocation(program, parameter.name.c_str());
        if (location < 0) continue; // not read by this pass
        if (parameter.type.IsNumeric()) {
            uniforms.push_back({index, location, parameter.type,
                                static_cast<GLsizei>(std::max(parameter.arraySize, 1))});
            continue;
        }
        if (samplers.size() == maxSamplers)
            throw EffectError(pass.location, "pass '" + pass.name + "' reads more than " +
                                                 std::to_string(maxSamplers) + " samplers");
        std::optional<std::size_t> texture;
        for (std::size_t t = 0; t < description.parameters.size(); ++t)
            if (description.parameters[t].name == parameter.samplerTexture) texture = t;
        const auto unit = static_cast<DWORD>(samplers.size());
        glUniform1i(location, static_cast<GLint>(unit));
        samplers.push_back({index, texture, unit});
    }
}

void PassProgram::Upload(const ParameterSlots& slots, bool everything) {
    const ProgramBinding binding(program);
    for (Uniform& uniform : uniforms) {
        const ParameterSlot& slot = *slots[uniform.parameter];
        if (!everything && slot.Revision() == uniform.uploadedRevision) continue;
        UploadValues(uniform.location, uniform.type, uniform.elements, slot.Values());
        uniform.uploadedRevision = slot.Revision();
    }
}
