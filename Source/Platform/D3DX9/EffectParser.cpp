#include "Platform/D3DX9/EffectParser.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdlib>

namespace {

using Kind = EffectToken::Kind;

struct NamedType {
    const char* name;
    EffectType type;
};

constexpr NamedType effectTypes[] = {
    {"float", {EffectBaseType::Float, 1, 1}},
    {"float2", {EffectBaseType::Float, 1, 2}},
    {"float3", {EffectBaseType::Float, 1, 3}},
    {"float4", {EffectBaseType::Float, 1, 4}},
    {"float4x4", {EffectBaseType::Float, 4, 4}},
    {"int", {EffectBaseType::Int, 1, 1}},
    {"bool", {EffectBaseType::Bool, 1, 1}},
    {"texture", {EffectBaseType::Texture, 1, 1}},
    {"texture2D", {EffectBaseType::Texture2D, 1, 1}},
    {"textureCUBE", {EffectBaseType::TextureCube, 1, 1}},
    {"texture3D", {EffectBaseType::Texture3D, 1, 1}},
    {"sampler", {EffectBaseType::Sampler2D, 1, 1}},
    {"sampler2D", {EffectBaseType::Sampler2D, 1, 1}},
    {"samplerCUBE", {EffectBaseType::SamplerCube, 1, 1}},
    {"sampler3D", {EffectBaseType::Sampler3D, 1, 1}},
    // GLSL's spelling, for the parameters of stage functions.
    {"vec2", {EffectBaseType::Float, 1, 2}},
    {"vec3", {EffectBaseType::Float, 1, 3}},
    {"vec4", {EffectBaseType::Float, 1, 4}},
    {"mat4", {EffectBaseType::Float, 4, 4}},
};

std::string Upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string Describe(const EffectToken& token) {
    return token.kind == Kind::End ? "end of file" : "'" + token.text + "'";
}

bool IsKeyword(const EffectToken& token, const char* word) {
    return token.kind == Kind::Identifier && token.text == word;
}

} // namespace

std::optional<EffectType> EffectTypeByName(const std::string& name) {
    for (const NamedType& entry : effectTypes)
        if (name == entry.name) return entry.type;
    return std::nullopt;
}

EffectParser::EffectParser(const EffectSource& effectSource)
    : source(effectSource), lexer(effectSource) {}

EffectDescription EffectParser::Parse() {
    while (lexer.Peek().kind != Kind::End)
        ParseDeclaration();
    return std::move(description);
}

void EffectParser::Fail(const EffectToken& at, const std::string& text) const {
    throw EffectError(lexer.Where(at), text);
}

EffectToken EffectParser::Expect(const std::string& symbol) {
    if (lexer.Peek().kind != Kind::Symbol || lexer.Peek().text != symbol)
        Fail(lexer.Peek(), "expected '" + symbol + "' but found " + Describe(lexer.Peek()));
    return lexer.Next();
}

EffectToken EffectParser::ExpectIdentifier(const std::string& what) {
    if (lexer.Peek().kind != Kind::Identifier)
        Fail(lexer.Peek(), "expected " + what + " but found " + Describe(lexer.Peek()));
    return lexer.Next();
}

bool EffectParser::Accept(const std::string& symbol) {
    if (lexer.Peek().kind != Kind::Symbol || lexer.Peek().text != symbol) return false;
    lexer.Next();
    return true;
}

void EffectParser::CheckUnique(const EffectToken& name) const {
    if (description.FindParameter(name.text) != nullptr ||
        description.FindFunction(name.text) != nullptr)
        Fail(name, "redefinition of '" + name.text + "'");
}

void EffectParser::ParseDeclaration() {
    const EffectToken first = ExpectIdentifier("a declaration");
    if (first.text == "vertex") return ParseStageFunction(EffectFunction::Stage::Vertex);
    if (first.text == "fragment") return ParseStageFunction(EffectFunction::Stage::Fragment);
    if (first.text == "technique") return ParseTechnique();
    if (first.text == "struct" || first.text == "const") return ParseSharedCode(first);

    const bool shared = first.text == "shared";
    const EffectToken typeToken = shared ? ExpectIdentifier("a type") : first;
    const std::optional<EffectType> type = EffectTypeByName(typeToken.text);
    // A type, a name and '(' begin a helper function, whatever the type is.
    if (!shared && lexer.Peek().kind == Kind::Identifier) {
        const EffectToken afterName = lexer.PeekSecond();
        if (afterName.kind == Kind::Symbol && afterName.text == "(") return ParseSharedCode(first);
    }
    if (!type) Fail(typeToken, "unknown type '" + typeToken.text + "'");
    ParseParameter(shared, typeToken, *type);
}

void EffectParser::ParseParameter(bool shared, const EffectToken& typeToken,
                                  const EffectType& type) {
    EffectParameter parameter;
    parameter.shared = shared;
    parameter.type = type;
    const EffectToken name = ExpectIdentifier("a parameter name");
    CheckUnique(name);
    parameter.name = name.text;
    parameter.location = lexer.Where(typeToken);
    if (Accept("[")) {
        const EffectToken size = lexer.Peek();
        if (size.kind != Kind::Number)
            Fail(size, "expected an array size but found " + Describe(size));
        lexer.Next();
        const std::uint32_t count = ParseInteger(size);
        if (count == 0 || count > 65536) Fail(size, "invalid array size " + size.text);
        parameter.arraySize = static_cast<int>(count);
        Expect("]");
    }
    if (Accept(":")) parameter.semantic = Upper(ExpectIdentifier("a semantic").text);
    if (lexer.Peek().kind == Kind::Symbol && lexer.Peek().text == "<")
        parameter.annotations = ParseAnnotations();
    if (Accept("=")) {
        if (type.IsSampler())
            ParseSamplerState(parameter);
        else if (type.IsNumeric())
            ParseInitialValues(parameter);
        else
            Fail(lexer.Peek(), "texture '" + parameter.name + "' cannot have an initial value");
    }
    Expect(";");
    description.parameters.push_back(std::move(parameter));
}

float EffectParser::ParseSignedNumber() {
    const bool negative = Accept("-");
    const EffectToken token = lexer.Next();
    if (!negative && (IsKeyword(token, "true") || IsKeyword(token, "false")))
        return token.text == "true" ? 1.0f : 0.0f;
    if (token.kind != Kind::Number) Fail(token, "expected a number but found " + Describe(token));
    std::string digits = token.text;
    if (digits.size() > 1 && (digits.back() == 'f' || digits.back() == 'F') &&
        digits.find_first_of("xX") == std::string::npos)
        digits.pop_back();
    char* end = nullptr;
    errno = 0;
    const float value = std::strtof(digits.c_str(), &end);
    if (end != digits.c_str() + digits.size() || errno == ERANGE)
        Fail(token, "invalid number '" + token.text + "'");
    return negative ? -value : value;
}

std::uint32_t EffectParser::ParseInteger(const EffectToken& token) {
    char* end = nullptr;
    errno = 0;
    const unsigned long long value = std::strtoull(token.text.c_str(), &end, 0);
    if (end != token.text.c_str() + token.text.size() || errno == ERANGE || value > 0xFFFFFFFFull)
        Fail(token, "invalid integer '" + token.text + "'");
    return static_cast<std::uint32_t>(value);
}

void EffectParser::ParseInitialValues(EffectParameter& parameter) {
    const EffectToken start = lexer.Peek();
    if (Accept("{")) {
        if (!Accept("}")) {
            do
                parameter.initialValues.push_back(ParseSignedNumber());
            while (Accept(","));
            Expect("}");
        }
    } else {
        parameter.initialValues.push_back(ParseSignedNumber());
    }
    const std::size_t capacity = static_cast<std::size_t>(parameter.type.Components()) *
                                 static_cast<std::size_t>(std::max(parameter.arraySize, 1));
    if (parameter.initialValues.size() > capacity)
        Fail(start, "too many initial values for '" + parameter.name + "'");
}

void EffectParser::ParseSamplerState(EffectParameter& parameter) {
    const EffectToken keyword = ExpectIdentifier("sampler_state");
    if (keyword.text != "sampler_state")
        Fail(keyword, "expected sampler_state but found '" + keyword.text + "'");
    Expect("{");
    while (!Accept("}")) {
        const EffectToken state = ExpectIdentifier("a sampler state");
        Expect("=");
        if (Upper(state.text) == "TEXTURE") {
            const bool angled = Accept("<");
            if (!angled) Expect("(");
            const EffectToken texture = ExpectIdentifier("a texture name");
            Expect(angled ? ">" : ")");
            const EffectParameter* target = description.FindParameter(texture.text);
            if (target == nullptr || !target->type.IsTexture())
                Fail(texture, "'" + texture.text + "' is not a texture");
            parameter.samplerTexture = texture.text;
        } else {
            const EffectStateInfo* info = FindSamplerState(state.text);
            if (info == nullptr) Fail(state, "unknown sampler state '" + state.text + "'");
            parameter.samplerStates.push_back(ParseStateValue(state, *info));
        }
        Expect(";");
    }
}

EffectStateAssignment EffectParser::ParseStateValue(const EffectToken& stateToken,
                                                    const EffectStateInfo& info) {
    EffectStateAssignment assignment{info.name, info.state, 0};
    do {
        const EffectToken term = lexer.Next();
        if (term.kind == Kind::Number) {
            assignment.value |= ParseInteger(term);
            continue;
        }
        const std::optional<std::uint32_t> value =
            term.kind == Kind::Identifier ? StateValueByName(info.values, term.text) : std::nullopt;
        if (!value)
            Fail(term, "invalid value " + Describe(term) + " for state '" + stateToken.text + "'");
        assignment.value |= *value;
    } while (Accept("|"));
    return assignment;
}

std::vector<EffectAnnotation> EffectParser::ParseAnnotations() {
    Expect("<");
    std::vector<EffectAnnotation> annotations;
    while (!Accept(">")) {
        const EffectToken type = ExpectIdentifier("an annotation type");
        EffectAnnotation annotation;
        if (type.text == "string")
            annotation.kind = EffectAnnotation::Kind::String;
        else if (type.text == "float")
            annotation.kind = EffectAnnotation::Kind::Float;
        else if (type.text == "int")
            annotation.kind = EffectAnnotation::Kind::Int;
        else if (type.text == "bool")
            annotation.kind = EffectAnnotation::Kind::Bool;
        else
            Fail(type, "unsupported annotation type '" + type.text + "'");
        annotation.name = ExpectIdentifier("an annotation name").text;
        Expect("=");
        if (annotation.kind == EffectAnnotation::Kind::String) {
            const EffectToken value = lexer.Next();
            if (value.kind != Kind::String)
                Fail(value, "expected a string but found " + Describe(value));
            annotation.text = value.text;
        } else {
            annotation.number = ParseSignedNumber();
        }
        Expect(";");
        annotations.push_back(std::move(annotation));
    }
    return annotations;
}

void EffectParser::ParseStageFunction(EffectFunction::Stage stage) {
    EffectFunction function;
    function.stage = stage;
    const EffectToken name = ExpectIdentifier("a function name");
    CheckUnique(name);
    function.name = name.text;
    function.location = lexer.Where(name);
    Expect("(");
    if (!Accept(")")) {
        do {
            EffectFunctionParameter parameter;
            EffectToken typeToken = ExpectIdentifier("a parameter type");
            if (typeToken.text == "in" || typeToken.text == "out") {
                parameter.out = typeToken.text == "out";
                typeToken = ExpectIdentifier("a parameter type");
            }
            const std::optional<EffectType> type = EffectTypeByName(typeToken.text);
            if (!type || !type->IsNumeric() || type->base == EffectBaseType::Bool)
                Fail(typeToken, "invalid type '" + typeToken.text + "' for a stage parameter");
            parameter.type = *type;
            const EffectToken parameterName = ExpectIdentifier("a parameter name");
            parameter.name = parameterName.text;
            if (!Accept(":"))
                Fail(lexer.Peek(), "parameter '" + parameter.name + "' of '" + function.name +
                                       "' needs a semantic");
            parameter.semantic = Upper(ExpectIdentifier("a semantic").text);
            for (const EffectFunctionParameter& other : function.parameters)
                if (other.out == parameter.out &&
                    IndexedSemantic(other.semantic) == IndexedSemantic(parameter.semantic))
                    Fail(parameterName, "semantic " + parameter.semantic + " used twice in '" +
                                            function.name + "'");
            function.parameters.push_back(std::move(parameter));
        } while (Accept(","));
        Expect(")");
    }
    function.body = lexer.TakeBlock(Expect("{"));
    description.functions.push_back(std::move(function));
}

void EffectParser::ParseSharedCode(const EffectToken& first) {
    // Up to the end of the first block, then (for structures and constants) up to ';'.
    std::size_t end = 0;
    while (true) {
        const EffectToken token = lexer.Peek();
        if (token.kind == Kind::End) Fail(first, "unexpected end of file in '" + first.text + "'");
        lexer.Next();
        if (token.kind == Kind::Symbol && token.text == "{") {
            const std::string block = lexer.TakeBlock(token);
            end = token.offset + block.size() + 2;
            if (first.text != "struct") break;
        } else if (token.kind == Kind::Symbol && token.text == ";") {
            if (first.text == "struct" && end == 0) continue;
            end = token.offset + 1;
            break;
        }
    }
    description.sharedCode += source.Text().substr(first.offset, end - first.offset);
    description.sharedCode += '\n';
}

void EffectParser::ParseTechnique() {
    EffectTechnique technique;
    const EffectToken name = ExpectIdentifier("a technique name");
    technique.name = name.text;
    technique.location = lexer.Where(name);
    for (const EffectTechnique& other : description.techniques)
        if (other.name == technique.name)
            Fail(name, "redefinition of technique '" + name.text + "'");
    if (lexer.Peek().kind == Kind::Symbol && lexer.Peek().text == "<")
        technique.annotations = ParseAnnotations();
    Expect("{");
    while (!Accept("}")) {
        const EffectToken keyword = ExpectIdentifier("'pass'");
        if (keyword.text != "pass")
            Fail(keyword, "expected 'pass' but found '" + keyword.text + "'");
        technique.passes.push_back(ParsePass());
    }
    description.techniques.push_back(std::move(technique));
}

EffectPass EffectParser::ParsePass() {
    EffectPass pass;
    const EffectToken name = ExpectIdentifier("a pass name");
    pass.name = name.text;
    pass.location = lexer.Where(name);
    if (lexer.Peek().kind == Kind::Symbol && lexer.Peek().text == "<")
        pass.annotations = ParseAnnotations();
    Expect("{");
    while (!Accept("}")) {
        const EffectToken state = ExpectIdentifier("a state name");
        Expect("=");
        const std::string upper = Upper(state.text);
        if (upper == "VERTEXSHADER" || upper == "PIXELSHADER") {
            const bool vertex = upper == "VERTEXSHADER";
            const EffectToken function = ExpectIdentifier("a function name");
            const EffectFunction* declared = description.FindFunction(function.text);
            const auto stage =
                vertex ? EffectFunction::Stage::Vertex : EffectFunction::Stage::Fragment;
            if (declared == nullptr || declared->stage != stage)
                Fail(function, "'" + function.text + "' is not a " +
                                   (vertex ? "vertex" : "fragment") + " function");
            (vertex ? pass.vertexShader : pass.pixelShader) = function.text;
        } else {
            const EffectStateInfo* info = FindRenderState(state.text);
            if (info == nullptr) Fail(state, "unknown state '" + state.text + "'");
            pass.renderStates.push_back(ParseStateValue(state, *info));
        }
        Expect(";");
    }
    return pass;
}
