// The linked GL program of one effect pass, with the uniform location of every parameter it
// reads and the texture unit of every sampler it reads (units 0 to 15 in declaration order).
#pragma once

#include "Platform/D3DX9/EffectDescription.h"
#include "Platform/D3DX9/ParameterSlot.h"

#include <epoxy/gl.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

using ParameterSlots = std::vector<std::shared_ptr<ParameterSlot>>;

class PassProgram {
public:
    static constexpr std::size_t maxSamplers = 16;

    struct SamplerBinding {
        std::size_t sampler;                // parameter index of the sampler
        std::optional<std::size_t> texture; // parameter index of its texture, if it names one
        DWORD unit;
    };

    // Compiles and links the pass; throws EffectError at the pass with the driver's log when GL
    // refuses it, or when the pass reads more samplers than there are units.
    PassProgram(const EffectDescription& description, const EffectPass& pass);
    ~PassProgram();
    PassProgram(const PassProgram&) = delete;
    PassProgram& operator=(const PassProgram&) = delete;

    GLuint Program() const { return program; }
    const std::vector<SamplerBinding>& Samplers() const { return samplers; }

    // Uploads the values whose slots changed since this program last uploaded them, or all of
    // them.
    void Upload(const ParameterSlots& slots, bool everything);

private:
    struct Uniform {
        std::size_t parameter;
        GLint location;
        EffectType type;
        GLsizei elements;
        std::uint64_t uploadedRevision = 0;
    };

    void FindUniforms(const EffectDescription& description, const EffectPass& pass);

    GLuint program = 0;
    std::vector<Uniform> uniforms;
    std::vector<SamplerBinding> samplers;
};
