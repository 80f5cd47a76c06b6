#include "Platform/D3DX9/GlslGenerator.h"

#include "Platform/D3DX9/EffectStates.h"

#include <cstdint>
#include <optional>

namespace {

std::string GlslType(const EffectType& type) {
    switch (type.base) {
    case EffectBaseType::Int:
        return "int";
    case EffectBaseType::Bool:
        return "bool";
    case EffectBaseType::Sampler2D:
        return "sampler2D";
    case EffectBaseType::SamplerCube:
        return "samplerCube";
    case EffectBaseType::Sampler3D:
        return "sampler3D";
    default:
        break;
    }
    if (type.rows == 4) return "mat4";
    return type.columns == 1 ? "float" : "vec" + std::to_string(type.columns);
}

std::optional<int> ColorOutput(const std::string& semantic) {
    const std::string indexed = IndexedSemantic(semantic);
    for (int index = 0; index < 4; ++index)
        if (indexed == "COLOR" + std::to_string(index)) return index;
    return std::nullopt;
}

const EffectFunctionParameter* FindOutput(const EffectFunction& function,
                                          const std::string& semantic) {
    for (const EffectFunctionParameter& parameter : function.parameters)
        if (parameter.out && IndexedSemantic(parameter.semantic) == IndexedSemantic(semantic))
            return &parameter;
    return nullptr;
}

std::string Signature(const EffectFunction& function) {
    std::string text = "void " + function.name + "(";
    for (std::size_t i = 0; i < function.parameters.size(); ++i) {
        const EffectFunctionParameter& parameter = function.parameters[i];
        if (i > 0) text += ", ";
        text += (parameter.out ? "out " : "in ") + GlslType(parameter.type) + " " + parameter.name;
    }
    return text + ") {" + function.body + "}\n";
}

// Clip space of Direct3D made OpenGL's, once for every program: depth 0..w becomes -w..w, and y
// is negated because every target of the device, the back buffer included, is an off-screen
// buffer whose row 0 is the top of the picture, as in Direct3D. After the negation a triangle
// that Direct3D sees clockwise is counter-clockwise to OpenGL, so D3DCULL_CCW culls what OpenGL
// calls clockwise.
const char* VertexEpilogue() {
    return "    gl_Position.z = 2.0 * gl_Position.z - gl_Position.w;\n"
           "    gl_Position.y = -gl_Position.y;\n";
}

const char* GlslComparison(std::uint32_t compare) {
    switch (static_cast<EffectCompare>(compare)) {
    case EffectCompare::Less:
        return "<";
    case EffectCompare::Equal:
        return "==";
    case EffectCompare::LessEqual:
        return "<=";
    case EffectCompare::Greater:
        return ">";
    case EffectCompare::NotEqual:
        return "!=";
    case EffectCompare::GreaterEqual:
        return ">=";
    default:
        return nullptr;
    }
}

// Integer varyings cannot be interpolated.
std::string Interpolation(const EffectType& type) {
    return type.base == EffectBaseType::Int ? "flat " : "";
}

// The alpha test with the pass's own AlphaFunc and AlphaRef (Direct3D's defaults, Always and 0,
// where the pass sets none), baked into the program: Direct3D compares the colour's alpha as an
// 8-bit value with the reference.
std::string AlphaTest(const EffectPass& pass, const EffectFunction& fragment) {
    bool enabled = false;
    std::uint32_t compare = static_cast<std::uint32_t>(EffectCompare::Always);
    std::uint32_t reference = 0;
    for (const EffectStateAssignment& state : pass.renderStates) {
        if (state.state == EffectStateNumbers::alphaTestEnable) enabled = state.value != 0;
        if (state.state == EffectStateNumbers::alphaFunc) compare = state.value;
        if (state.state == EffectStateNumbers::alphaRef) reference = state.value & 0xFF;
    }
    const EffectFunctionParameter* colour = FindOutput(fragment, "COLOR0");
    if (!enabled || colour == nullptr || colour->type.columns != 4) return "";
    if (compare == static_cast<std::uint32_t>(EffectCompare::Never)) return "    discard;\n";
    const char* comparison = GlslComparison(compare);
    if (comparison == nullptr) return "";
    return "    if (!(round(clamp(lv_out_COLOR0.a, 0.0, 1.0) * 255.0) " + std::string(comparison) +
           " " + std::to_string(reference) + ".0)) discard;\n";
}

} // namespace

GlslGenerator::GlslGenerator(const EffectDescription& effect) : description(effect) {}

int GlslGenerator::AttributeLocation(const std::string& semantic) {
    struct Slot {
        const char* semantic;
        int location;
    };
    static constexpr Slot slots[] = {
        {"POSITION0", 0},  {"BLENDWEIGHT0", 1}, {"NORMAL0", 2},    {"COLOR0", 3},
        {"COLOR1", 4},     {"FOG0", 5},         {"PSIZE0", 6},     {"BLENDINDICES0", 7},
        {"TEXCOORD0", 8},  {"TEXCOORD1", 9},    {"TEXCOORD2", 10}, {"TEXCOORD3", 11},
        {"TEXCOORD4", 12}, {"TEXCOORD5", 13},   {"TEXCOORD6", 14}, {"TEXCOORD7", 15},
        {"TANGENT0", 14},  {"BINORMAL0", 15},
    };
    const std::string indexed = IndexedSemantic(semantic);
    for (const Slot& slot : slots)
        if (indexed == slot.semantic) return slot.location;
    return -1;
}

GlslProgram GlslGenerator::Generate(const EffectPass& pass) const {
    if (pass.vertexShader.empty())
        throw EffectError(pass.location, "pass '" + pass.name + "' has no VertexShader");
    if (pass.pixelShader.empty())
        throw EffectError(pass.location, "pass '" + pass.name + "' has no PixelShader");
    const EffectFunction* vertex = description.FindFunction(pass.vertexShader);
    const EffectFunction* fragment = description.FindFunction(pass.pixelShader);
    if (vertex == nullptr || fragment == nullptr)
        throw EffectError(pass.location, "pass '" + pass.name + "' names an unknown function");
    return {VertexSource(*vertex), FragmentSource(pass, *vertex, *fragment)};
}

std::string GlslGenerator::Declarations() const {
    std::string text = "#version 330 core\n";
    for (const EffectParameter& parameter : description.parameters) {
        if (parameter.type.IsTexture()) continue;
        text += "uniform " + GlslType(parameter.type) + " " + parameter.name;
        // Appended piece by piece: GCC 12 at -O3 misreads "[" + to_string(n) as an overlap.
        if (parameter.arraySize > 0) {
            text += '[';
            text += std::to_string(parameter.arraySize);
            text += ']';
        }
        text += ";\n";
    }
    return text + description.sharedCode;
}

std::string GlslGenerator::VertexSource(const EffectFunction& function) const {
    std::string text = Declarations();
    std::string arguments;
    std::string locals;
    std::string results;
    for (const EffectFunctionParameter& parameter : function.parameters) {
        const std::string semantic = IndexedSemantic(parameter.semantic);
        const std::string type = GlslType(parameter.type);
        std::string argument;
        if (!parameter.out) {
            const int location = AttributeLocation(semantic);
            if (location < 0)
                throw EffectError(function.location, "vertex input semantic " + parameter.semantic +
                                                         " has no attribute");
            argument = "lv_in_" + semantic;
            text += "layout(location = " + std::to_string(location) + ") in " + type + " " +
                    argument + ";\n";
        } else if (semantic == "POSITION0") {
            if (parameter.type.columns != 4 || parameter.type.rows != 1)
                throw EffectError(function.location,
                                  "output POSITION of '" + function.name + "' must be a float4");
            argument = "lv_position";
            locals += "    vec4 lv_position;\n";
            results += "    gl_Position = lv_position;\n";
        } else {
            argument = "lv_v_" + semantic;
            text += Interpolation(parameter.type) + "out " + type + " " + argument + ";\n";
        }
        arguments += (arguments.empty() ? "" : ", ") + argument;
    }
    text += Signature(function);
    return text + "void main() {\n" + locals + "    " + function.name + "(" + arguments + ");\n" +
           results + VertexEpilogue() + "}\n";
}

std::string GlslGenerator::FragmentSource(const EffectPass& pass, const EffectFunction& vertex,
                                          const EffectFunction& fragment) const {
    std::string text = Declarations();
    std::string arguments;
    for (const EffectFunctionParameter& parameter : fragment.parameters) {
        const std::string semantic = IndexedSemantic(parameter.semantic);
        const std::string type = GlslType(parameter.type);
        std::string argument;
        if (!parameter.out) {
            const EffectFunctionParameter* written = FindOutput(vertex, semantic);
            if (written == nullptr || semantic == "POSITION0")
                throw EffectError(fragment.location, "'" + fragment.name + "' reads " +
                                                         parameter.semantic + ", which '" +
                                                         vertex.name + "' does not write");
            if (written->type.Components() < parameter.type.Components() ||
                written->type.rows != parameter.type.rows)
                throw EffectError(fragment.location, "'" + fragment.name + "' reads more of " +
                                                         parameter.semantic + " than '" +
                                                         vertex.name + "' writes");
            const std::string varying = "lv_v_" + semantic;
            text += Interpolation(written->type) + "in " + GlslType(written->type) + " " + varying +
                    ";\n";
            argument = written->type == parameter.type ? varying : type + "(" + varying + ")";
        } else if (const std::optional<int> index = ColorOutput(semantic)) {
            argument = "lv_out_" + semantic;
            text += "layout(location = " + std::to_string(*index) + ") out " + type + " " +
                    argument + ";\n";
        } else if (semantic == "DEPTH0" && parameter.type.Components() == 1) {
            argument = "gl_FragDepth";
        } else {
            throw EffectError(fragment.location, "fragment output semantic " + parameter.semantic +
                                                     " is not supported");
        }
        arguments += (arguments.empty() ? "" : ", ") + argument;
    }
    text += Signature(fragment);
    return text + "void main() {\n    " + fragment.name + "(" + arguments + ");\n" +
           AlphaTest(pass, fragment) + "}\n";
}
