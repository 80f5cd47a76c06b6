#include "Platform/D3DX9/XFileParser.h"

#include "Platform/D3DX9/XFileTokenizer.h"

#include <algorithm>
#include <map>
#include <memory>

namespace {

// Frames nest no deeper than this; deeper files are refused rather than recursed into.
constexpr int kMaxFrameDepth = 64;

struct InvalidData {};

[[noreturn]] void Fail() {
    throw InvalidData{};
}

class XFileReader {
public:
    explicit XFileReader(std::unique_ptr<XTokenizer> source) : tokens(std::move(source)) {}

    std::vector<XMeshData> ReadFile();

private:
    const XToken& Peek();
    XToken Take();
    // The next token that is no separator.
    const XToken& PeekValue();
    std::uint32_t ReadInteger();
    float ReadFloat();
    std::string ReadString();
    // A count of items of at least `minimumBytes` each, checked against what the file holds.
    std::uint32_t ReadCount(std::size_t minimumBytes);

    // After the template name: the optional object name, the opening brace and optional GUID.
    std::string ReadObjectStart();
    // Skips the rest of an object whose opening brace was read.
    void SkipObjectBody();
    // Reads the children of an object up to its closing brace; `child` takes each nested
    // object's template name and object name and reads it, returning false to have it skipped.
    template <class Child>
    void ReadChildren(Child child);
    // After an opening brace: the name a reference gives.
    std::string ReadReference();

    void ReadFrame(int depth);
    void ReadMesh();
    void ReadNormals(XMeshData& mesh);
    void ReadTexCoords(XMeshData& mesh);
    void ReadMaterialList(XMeshData& mesh);
    XMaterialData ReadMaterial();
    // One face array: per face a corner count (`requiredSizes` when given) and corner indices
    // below `indexLimit`.
    void ReadFaces(std::uint32_t faceCount, std::uint32_t indexLimit,
                   const std::vector<std::uint32_t>* requiredSizes,
                   std::vector<std::uint32_t>* sizes, std::vector<std::uint32_t>& indices);
    void ReadFloats(std::uint32_t count, std::vector<float>& values);

    std::unique_ptr<XTokenizer> tokens;
    XToken lookahead;
    bool hasLookahead = false;
    std::map<std::string, XMaterialData> namedMaterials;
    std::vector<XMeshData> meshes;
};

const XToken& XFileReader::Peek() {
    if (!hasLookahead) {
        lookahead = tokens->Next();
        hasLookahead = true;
    }
    if (lookahead.kind == XTokenKind::Invalid) Fail();
    return lookahead;
}

XToken XFileReader::Take() {
    Peek();
    hasLookahead = false;
    return std::move(lookahead);
}

const XToken& XFileReader::PeekValue() {
    while (Peek().kind == XTokenKind::Separator)
        Take();
    return Peek();
}

std::uint32_t XFileReader::ReadInteger() {
    const XToken& token = PeekValue();
    if (token.kind != XTokenKind::Number || !token.isInteger) Fail();
    return Take().integer;
}

float XFileReader::ReadFloat() {
    if (PeekValue().kind != XTokenKind::Number) Fail();
    return Take().real;
}

std::string XFileReader::ReadString() {
    if (PeekValue().kind != XTokenKind::String) Fail();
    return Take().text;
}

std::uint32_t XFileReader::ReadCount(std::size_t minimumBytes) {
    const std::uint32_t count = ReadInteger();
    if (count > tokens->Remaining() / minimumBytes) Fail();
    return count;
}

std::string XFileReader::ReadObjectStart() {
    std::string name;
    if (Peek().kind == XTokenKind::Name) name = Take().text;
    if (Take().kind != XTokenKind::OpenBrace) Fail();
    if (Peek().kind == XTokenKind::Guid) Take();
    return name;
}

void XFileReader::SkipObjectBody() {
    for (std::size_t depth = 1; depth > 0;) {
        const XToken token = Take();
        if (token.kind == XTokenKind::End) Fail();
        if (token.kind == XTokenKind::OpenBrace) ++depth;
        if (token.kind == XTokenKind::CloseBrace) --depth;
    }
}

std::string XFileReader::ReadReference() {
    std::string name;
    if (Peek().kind == XTokenKind::Name) name = Take().text;
    if (Peek().kind == XTokenKind::Guid) Take();
    if (Take().kind != XTokenKind::CloseBrace) Fail();
    return name;
}

template <class Child>
void XFileReader::ReadChildren(Child child) {
    for (;;) {
        const XToken token = Take();
        switch (token.kind) {
        case XTokenKind::CloseBrace:
            return;
        case XTokenKind::Separator:
            break;
        case XTokenKind::OpenBrace:
            child(std::string(), ReadReference(), true);
            break;
        case XTokenKind::Name:
            if (!child(token.text, std::string(), false)) {
                ReadObjectStart();
                SkipObjectBody();
            }
            break;
        default:
            Fail();
        }
    }
}

std::vector<XMeshData> XFileReader::ReadFile() {
    for (;;) {
        const XToken token = Take();
        if (token.kind == XTokenKind::End) return std::move(meshes);
        if (token.kind == XTokenKind::Separator) continue;
        if (token.kind != XTokenKind::Name) Fail();
        if (token.text == "Mesh") {
            ReadMesh();
        } else if (token.text == "Frame") {
            ReadFrame(1);
        } else if (token.text == "Material") {
            const std::string name = ReadObjectStart();
            namedMaterials[name] = ReadMaterial();
        } else {
            // Template declarations, headers, animations and the like.
            ReadObjectStart();
            SkipObjectBody();
        }
    }
}

void XFileReader::ReadFrame(int depth) {
    if (depth > kMaxFrameDepth) Fail();
    ReadObjectStart();
    // A frame's transform would place its meshes; meshes are taken as written. References to
    // meshes declared elsewhere add nothing: those meshes are read where they are declared.
    ReadChildren([&](const std::string& type, const std::string&, bool reference) {
        if (reference) return true;
        if (type == "Frame") {
            ReadFrame(depth + 1);
            return true;
        }
        if (type == "Mesh") {
            ReadMesh();
            return true;
        }
        return false;
    });
}

void XFileReader::ReadFloats(std::uint32_t count, std::vector<float>& values) {
    values.reserve(count);
    for (std::uint32_t i = 0; i < count; ++i)
        values.push_back(ReadFloat());
}

void XFileReader::ReadFaces(std::uint32_t faceCount, std::uint32_t indexLimit,
                            const std::vector<std::uint32_t>* requiredSizes,
                            std::vector<std::uint32_t>* sizes,
                            std::vector<std::uint32_t>& indices) {
    if (sizes != nullptr) sizes->reserve(faceCount);
    for (std::uint32_t face = 0; face < faceCount; ++face) {
        const std::uint32_t corners = ReadCount(1);
        if (corners < 3 || (requiredSizes != nullptr && corners != (*requiredSizes)[face])) Fail();
        if (sizes != nullptr) sizes->push_back(corners);
        for (std::uint32_t corner = 0; corner < corners; ++corner) {
            const std::uint32_t index = ReadInteger();
            if (index >= indexLimit) Fail();
            indices.push_back(index);
        }
    }
}

void XFileReader::ReadMesh() {
    ReadObjectStart();
    XMeshData mesh;
    const std::uint32_t vertexCount = ReadCount(3);
    ReadFloats(3 * vertexCount, mesh.positions);
    const std::uint32_t faceCount = ReadCount(4);
    ReadFaces(faceCount, vertexCount, nullptr, &mesh.faceSizes, mesh.faceIndices);
    bool hasNormals = false, hasTexCoords = false, hasMaterials = false;
    ReadChildren([&](const std::string& type, const std::string&, bool reference) {
        if (reference) return true;
        bool* seen = type == "MeshNormals"         ? &hasNormals
                     : type == "MeshTextureCoords" ? &hasTexCoords
                     : type == "MeshMaterialList"  ? &hasMaterials
                                                   : nullptr;
        if (seen == nullptr) return false;
        if (*seen) Fail(); // a second list of the same kind contradicts the first
        *seen = true;
        ReadObjectStart();
        if (seen == &hasNormals) ReadNormals(mesh);
        if (seen == &hasTexCoords) ReadTexCoords(mesh);
        if (seen == &hasMaterials) ReadMaterialList(mesh);
        return true;
    });
    meshes.push_back(std::move(mesh));
}

void XFileReader::ReadNormals(XMeshData& mesh) {
    const std::uint32_t normalCount = ReadCount(3);
    ReadFloats(3 * normalCount, mesh.normals);
    const std::uint32_t faceCount = ReadCount(4);
    if (faceCount != mesh.faceSizes.size()) Fail();
    mesh.faceNormalIndices.reserve(mesh.faceIndices.size());
    ReadFaces(faceCount, normalCount, &mesh.faceSizes, nullptr, mesh.faceNormalIndices);
    ReadChildren([](const std::string&, const std::string&, bool) { return false; });
}

void XFileReader::ReadTexCoords(XMeshData& mesh) {
    const std::uint32_t count = ReadCount(2);
    if (count != mesh.positions.size() / 3) Fail();
    ReadFloats(2 * count, mesh.texCoords);
    ReadChildren([](const std::string&, const std::string&, bool) { return false; });
}

// Faces past the end of a shorter index list take its last index, as exporters that write one
// index for a single-material mesh expect.
void XFileReader::ReadMaterialList(XMeshData& mesh) {
    const std::uint32_t materialCount = ReadCount(1);
    const std::uint32_t indexCount = ReadCount(1);
    const std::size_t faceCount = mesh.faceSizes.size();
    if (indexCount > faceCount || (materialCount == 0 && indexCount > 0)) Fail();
    mesh.faceMaterials.reserve(faceCount);
    for (std::uint32_t face = 0; face < indexCount; ++face) {
        const std::uint32_t material = ReadInteger();
        if (material >= materialCount) Fail();
        mesh.faceMaterials.push_back(material);
    }
    const std::uint32_t last = indexCount > 0 ? mesh.faceMaterials.back() : 0;
    if (materialCount > 0) mesh.faceMaterials.resize(faceCount, last);
    ReadChildren([&](const std::string& type, const std::string& referenced, bool reference) {
        if (reference) {
            const auto found = namedMaterials.find(referenced);
            if (referenced.empty() || found == namedMaterials.end()) Fail();
            mesh.materials.push_back(found->second);
            return true;
        }
        if (type != "Material") return false;
        const std::string name = ReadObjectStart();
        mesh.materials.push_back(ReadMaterial());
        if (!name.empty()) namedMaterials[name] = mesh.materials.back();
        return true;
    });
    if (mesh.materials.size() != materialCount) Fail();
    if (materialCount == 0) mesh.faceMaterials.clear();
}

XMaterialData XFileReader::ReadMaterial() {
    XMaterialData material;
    for (float& value : material.faceColor)
        value = ReadFloat();
    material.power = ReadFloat();
    for (float& value : material.specularColor)
        value = ReadFloat();
    for (float& value : material.emissiveColor)
        value = ReadFloat();
    ReadChildren([&](const std::string& type, const std::string&, bool reference) {
        if (reference) return true;
        if (type != "TextureFilename" && type != "TextureFileName") return false;
        ReadObjectStart();
        material.textureFilename = ReadString();
        ReadChildren([](const std::string&, const std::string&, bool) { return false; });
        return true;
    });
    return material;
}

} // namespace

std::optional<std::vector<XMeshData>> ParseXFile(const unsigned char* data, std::size_t size) {
    std::unique_ptr<XTokenizer> tokens = XTokenizer::Create(data, size);
    if (!tokens) return std::nullopt;
    try {
        return XFileReader(std::move(tokens)).ReadFile();
    } catch (const InvalidData&) {
        return std::nullopt;
    }
}
