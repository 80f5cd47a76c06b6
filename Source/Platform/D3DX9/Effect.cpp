#include "Platform/D3DX9/Effect.h"

#include "Platform/D3DX9/D3DXTestSeam.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

using Kind = EffectObject::Kind;

bool EqualIgnoringCase(const std::string& a, const char* b) {
    const std::size_t length = std::strlen(b);
    return a.size() == length && std::equal(a.begin(), a.end(), b, [](char x, char y) {
               return std::toupper(static_cast<unsigned char>(x)) ==
                      std::toupper(static_cast<unsigned char>(y));
           });
}

D3DXPARAMETER_CLASS ParameterClass(const EffectType& type) {
    if (!type.IsNumeric()) return D3DXPC_OBJECT;
    if (type.rows > 1) return D3DXPC_MATRIX_ROWS;
    return type.columns > 1 ? D3DXPC_VECTOR : D3DXPC_SCALAR;
}

D3DXPARAMETER_TYPE ParameterType(EffectBaseType base) {
    switch (base) {
    case EffectBaseType::Float:
        return D3DXPT_FLOAT;
    case EffectBaseType::Int:
        return D3DXPT_INT;
    case EffectBaseType::Bool:
        return D3DXPT_BOOL;
    case EffectBaseType::Texture:
        return D3DXPT_TEXTURE;
    case EffectBaseType::Texture2D:
        return D3DXPT_TEXTURE2D;
    case EffectBaseType::TextureCube:
        return D3DXPT_TEXTURECUBE;
    case EffectBaseType::Texture3D:
        return D3DXPT_TEXTURE3D;
    case EffectBaseType::Sampler2D:
        return D3DXPT_SAMPLER2D;
    case EffectBaseType::SamplerCube:
        return D3DXPT_SAMPLERCUBE;
    case EffectBaseType::Sampler3D:
        return D3DXPT_SAMPLER3D;
    }
    return D3DXPT_FLOAT;
}

} // namespace

Effect::Effect(IDirect3DDevice9* owner, EffectDescription effectDescription, EffectPool* sharedPool)
    : device(owner), pool(sharedPool), description(std::move(effectDescription)) {
    for (const EffectParameter& parameter : description.parameters)
        slots.push_back(parameter.shared && pool != nullptr
                            ? pool->Share(parameter)
                            : std::make_shared<ParameterSlot>(parameter));
    for (const EffectTechnique& each : description.techniques) {
        auto& programs = passes.emplace_back();
        for (const EffectPass& pass : each.passes)
            programs.push_back(std::make_unique<PassProgram>(description, pass));
    }

    for (std::size_t index = 0; index < description.parameters.size(); ++index) {
        const EffectParameter& parameter = description.parameters[index];
        parameterHandles.push_back(AddAnnotatedObject(
            parameter.name, {Kind::Parameter, index, 0, nullptr, {}}, parameter.annotations));
    }
    for (std::size_t index = 0; index < description.techniques.size(); ++index) {
        const EffectTechnique& each = description.techniques[index];
        techniqueHandles.push_back(AddAnnotatedObject(
            each.name, {Kind::Technique, index, 0, nullptr, {}}, each.annotations));
        auto& handlesOfPasses = passHandles.emplace_back();
        for (std::size_t pass = 0; pass < each.passes.size(); ++pass)
            handlesOfPasses.push_back(AddAnnotatedObject(each.passes[pass].name,
                                                         {Kind::Pass, index, pass, nullptr, {}},
                                                         each.passes[pass].annotations));
    }
    if (!description.techniques.empty()) technique = 0;

    device->AddRef();
    if (pool != nullptr) pool->AddRef();
}

Effect::~Effect() {
    if (running) End();
    passes.clear();
    slots.clear();
    if (pool != nullptr) pool->Release();
    device->Release();
}

D3DXHANDLE Effect::AddAnnotatedObject(const std::string& name, EffectObject object,
                                      const std::vector<EffectAnnotation>& annotations) {
    for (const EffectAnnotation& annotation : annotations)
        object.annotations.push_back(
            handles.Add(annotation.name, {Kind::Annotation, 0, 0, &annotation, {}}));
    return handles.Add(name, std::move(object));
}

std::optional<std::size_t> Effect::ParameterIndex(D3DXHANDLE handle) const {
    if (handle == nullptr) return std::nullopt;
    if (const EffectObject* object = handles.Find(handle))
        return object->kind == Kind::Parameter ? std::optional(object->index) : std::nullopt;
    const auto found =
        std::ranges::find(description.parameters, std::string(handle), &EffectParameter::name);
    if (found == description.parameters.end()) return std::nullopt;
    return static_cast<std::size_t>(found - description.parameters.begin());
}

std::optional<std::size_t> Effect::TechniqueIndex(D3DXHANDLE handle) const {
    if (handle == nullptr) return std::nullopt;
    if (const EffectObject* object = handles.Find(handle))
        return object->kind == Kind::Technique ? std::optional(object->index) : std::nullopt;
    const auto found =
        std::ranges::find(description.techniques, std::string(handle), &EffectTechnique::name);
    if (found == description.techniques.end()) return std::nullopt;
    return static_cast<std::size_t>(found - description.techniques.begin());
}

const EffectObject* Effect::AnnotatedObject(D3DXHANDLE handle) const {
    if (handle == nullptr) return nullptr;
    if (const EffectObject* object = handles.Find(handle))
        return object->kind == Kind::Annotation ? nullptr : object;
    if (const auto parameter = ParameterIndex(handle))
        return handles.Find(parameterHandles[*parameter]);
    if (const auto found = TechniqueIndex(handle)) return handles.Find(techniqueHandles[*found]);
    return nullptr;
}

HRESULT Effect::GetDesc(D3DXEFFECT_DESC* desc) {
    if (desc == nullptr) return D3DERR_INVALIDCALL;
    *desc = {"Lumenvale effect compiler", static_cast<UINT>(description.parameters.size()),
             static_cast<UINT>(description.techniques.size()),
             static_cast<UINT>(description.functions.size())};
    return D3D_OK;
}

HRESULT Effect::GetParameterDesc(D3DXHANDLE handle, D3DXPARAMETER_DESC* desc) {
    const auto index = ParameterIndex(handle);
    if (!index || desc == nullptr) return D3DERR_INVALIDCALL;
    const EffectParameter& parameter = description.parameters[*index];
    const UINT elements = static_cast<UINT>(std::max(parameter.arraySize, 1));
    desc->Name = parameter.name.c_str();
    desc->Semantic = parameter.semantic.empty() ? nullptr : parameter.semantic.c_str();
    desc->Class = ParameterClass(parameter.type);
    desc->Type = ParameterType(parameter.type.base);
    desc->Rows = static_cast<UINT>(parameter.type.rows);
    desc->Columns = static_cast<UINT>(parameter.type.columns);
    desc->Elements = static_cast<UINT>(parameter.arraySize);
    desc->Annotations = static_cast<UINT>(parameter.annotations.size());
    desc->StructMembers = 0;
    desc->Flags = parameter.shared ? D3DX_PARAMETER_SHARED : 0;
    desc->Bytes = parameter.type.IsNumeric()
                      ? static_cast<UINT>(parameter.type.Components()) * elements * 4
                      : elements * static_cast<UINT>(sizeof(void*));
    return D3D_OK;
}

HRESULT Effect::GetTechniqueDesc(D3DXHANDLE handle, D3DXTECHNIQUE_DESC* desc) {
    const auto index = TechniqueIndex(handle);
    if (!index || desc == nullptr) return D3DERR_INVALIDCALL;
    const EffectTechnique& each = description.techniques[*index];
    *desc = {each.name.c_str(), static_cast<UINT>(each.passes.size()),
             static_cast<UINT>(each.annotations.size())};
    return D3D_OK;
}

HRESULT Effect::GetPassDesc(D3DXHANDLE handle, D3DXPASS_DESC* desc) {
    const EffectObject* object = handles.Find(handle);
    if (object == nullptr || object->kind != Kind::Pass || desc == nullptr)
        return D3DERR_INVALIDCALL;
    const EffectPass& pass = description.techniques[object->index].passes[object->pass];
    *desc = {pass.name.c_str(), static_cast<UINT>(pass.annotations.size())};
    return D3D_OK;
}

// Structures and array elements have no handles of their own: only top-level lookups answer.
D3DXHANDLE Effect::GetParameter(D3DXHANDLE parent, UINT index) {
    return parent == nullptr && index < parameterHandles.size() ? parameterHandles[index] : nullptr;
}

D3DXHANDLE Effect::GetParameterByName(D3DXHANDLE parent, const char* name) {
    if (parent != nullptr || name == nullptr) return nullptr;
    const auto index = ParameterIndex(name);
    return index ? parameterHandles[*index] : nullptr;
}

D3DXHANDLE Effect::GetParameterBySemantic(D3DXHANDLE parent, const char* semantic) {
    D3DXTestSeam::CountSemanticLookup();
    if (parent != nullptr || semantic == nullptr) return nullptr;
    for (std::size_t index = 0; index < description.parameters.size(); ++index)
        if (EqualIgnoringCase(description.parameters[index].semantic, semantic))
            return parameterHandles[index];
    return nullptr;
}

D3DXHANDLE Effect::GetAnnotation(D3DXHANDLE handle, UINT index) {
    const EffectObject* object = AnnotatedObject(handle);
    return object != nullptr && index < object->annotations.size() ? object->annotations[index]
                                                                   : nullptr;
}

D3DXHANDLE Effect::GetAnnotationByName(D3DXHANDLE handle, const char* name) {
    const EffectObject* object = AnnotatedObject(handle);
    if (object == nullptr || name == nullptr) return nullptr;
    for (const D3DXHANDLE annotation : object->annotations)
        if (handles.Find(annotation)->annotation->name == name) return annotation;
    return nullptr;
}

D3DXHANDLE Effect::GetTechnique(UINT index) {
    return index < techniqueHandles.size() ? techniqueHandles[index] : nullptr;
}

D3DXHANDLE Effect::GetTechniqueByName(const char* name) {
    const auto index = TechniqueIndex(name);
    return index ? techniqueHandles[*index] : nullptr;
}

D3DXHANDLE Effect::GetPass(D3DXHANDLE handle, UINT index) {
    const auto found = TechniqueIndex(handle);
    return found && index < passHandles[*found].size() ? passHandles[*found][index] : nullptr;
}

HRESULT Effect::GetString(D3DXHANDLE handle, const char** string) {
    const EffectObject* object = handles.Find(handle);
    if (object == nullptr || object->kind != Kind::Annotation || string == nullptr ||
        object->annotation->kind != EffectAnnotation::Kind::String)
        return D3DERR_INVALIDCALL;
    *string = object->annotation->text.c_str();
    return D3D_OK;
}

HRESULT Effect::GetDevice(IDirect3DDevice9** result) {
    if (result == nullptr) return D3DERR_INVALIDCALL;
    device->AddRef();
    *result = device;
    return D3D_OK;
}

HRESULT Effect::GetPool(ID3DXEffectPool** result) {
    if (result == nullptr) return D3DERR_INVALIDCALL;
    if (pool != nullptr) pool->AddRef();
    *result = pool;
    return D3D_OK;
}
