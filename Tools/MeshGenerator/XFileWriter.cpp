#include "XFileWriter.h"

#include <charconv>
#include <sstream>

namespace {

std::string Number(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    std::string written(text, result.ptr);
    // Whole numbers keep a decimal point so that the reader sees a float.
    if (written.find_first_of(".e") == std::string::npos) written += ".0";
    return written;
}

template <std::size_t N>
std::string Tuple(const std::array<float, N>& values) {
    std::string text;
    for (const float value : values)
        text += Number(value) + ";";
    return text;
}

// Writes the items of a list separated by commas and ended by a semicolon, one a line.
template <class Items, class Write>
void List(std::ostringstream& out, const Items& items, Write write) {
    for (std::size_t i = 0; i < items.size(); ++i)
        out << "  " << write(items[i]) << (i + 1 < items.size() ? ",\n" : ";\n");
}

std::string Face(const std::vector<std::uint32_t>& corners) {
    std::string text = std::to_string(corners.size()) + ";";
    for (std::size_t i = 0; i < corners.size(); ++i)
        text += std::to_string(corners[i]) + (i + 1 < corners.size() ? "," : ";");
    return text;
}

void WriteMaterial(std::ostringstream& out, const GeneratedMaterial& material) {
    out << "  Material {\n"
        << "   " << Tuple(material.faceColor) << ";\n"
        << "   " << Number(material.power) << ";\n"
        << "   " << Tuple(material.specularColor) << ";\n"
        << "   " << Tuple(material.emissiveColor) << ";\n";
    if (material.textureFilename)
        out << "   TextureFilename {\n    \"" << *material.textureFilename << "\";\n   }\n";
    out << "  }\n";
}

} // namespace

std::string WriteXFile(const GeneratedMesh& mesh, const std::string& meshName) {
    std::ostringstream out;
    out << "xof 0303txt 0032\n\n"
        << "Mesh " << meshName << " {\n"
        << " " << mesh.positions.size() << ";\n";
    List(out, mesh.positions, [](const auto& p) { return Tuple(p); });
    out << " " << mesh.faces.size() << ";\n";
    List(out, mesh.faces, Face);

    out << " MeshNormals {\n  " << mesh.normals.size() << ";\n";
    List(out, mesh.normals, [](const auto& n) { return Tuple(n); });
    // One normal a vertex: the normal faces repeat the faces.
    out << "  " << mesh.faces.size() << ";\n";
    List(out, mesh.faces, Face);
    out << " }\n";

    out << " MeshTextureCoords {\n  " << mesh.texCoords.size() << ";\n";
    List(out, mesh.texCoords, [](const auto& t) { return Tuple(t); });
    out << " }\n";

    out << " MeshMaterialList {\n  " << mesh.materials.size() << ";\n  "
        << mesh.faceMaterials.size() << ";\n";
    List(out, mesh.faceMaterials, [](std::uint32_t m) { return std::to_string(m); });
    for (const GeneratedMaterial& material : mesh.materials)
        WriteMaterial(out, material);
    out << " }\n}\n";
    return out.str();
}
