// X files for the mesh tests: a small mesh whose numbers the tests check one by one, in the text
// encoding and token by token in the binary one, and a writer of binary token streams.
#pragma once

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string>

// Five vertices, a quad and two triangles over two materials: the quad and the last triangle
// use the inline green material (1), the middle triangle the referenced red one (0), with
// normals that differ at vertices 2 and 3. The frame's transform is not applied.
inline const std::string kFixtureText = R"(xof 0303txt 0032
// a comment
# another
template Vector {
 <3D82AB5E-62DA-11cf-AB39-0020AF71E433>
 FLOAT x;
 FLOAT y;
 FLOAT z;
}
Material Red {
 1.0;0.0;0.0;0.5;;
 12.5;
 0.25;0.5;0.75;;
 0.125;0.0625;0.03125;;
 TextureFilename { "red.png"; }
}
Frame Root {
 FrameTransformMatrix { 2.0,0,0,0, 0,2.0,0,0, 0,0,2.0,0, 5.0,6.0,7.0,1.0;; }
 Mesh Quad {
  5;
  0.0;0.0;0.0;, 1.0;0.0;0.0;, 1.0;1.0;0.0;, 0.0;1.0;0.0;, 0.5;2.0;0.1;;
  3;
  4;0,1,2,3;,
  3;3,2,4;,
  3;0,2,1;;
  MeshNormals {
   2;
   0.0;0.0;-1.0;, 0.0;0.6;0.8;;
   3;
   4;0,0,0,0;, 3;1,1,1;, 3;0,0,0;;
  }
  MeshTextureCoords { 5; 0.0;0.0;, 1.0;0.0;, 1.0;1.0;, 0.0;1.0;, 0.5;0.25;; }
  MeshMaterialList {
   2; 3; 1,0,1;;
   { Red }
   Material Green { 0.0;1.0;0.0;1.0;; 2.0; 0.0;0.0;0.0;; 0.0;0.0;0.0;; }
  }
 }
}
)";

// Binary token streams, as a binary X file holds them after its header.
class BinaryXWriter {
public:
    explicit BinaryXWriter(const char* header = "xof 0303bin 0032") : bytes(header) {}

    BinaryXWriter& Name(const std::string& name) {
        Word(1);
        Dword(static_cast<std::uint32_t>(name.size()));
        bytes += name;
        return *this;
    }
    // A string with the 32-bit semicolon terminator of the format reference.
    BinaryXWriter& String(const std::string& text) {
        Word(2);
        Dword(static_cast<std::uint32_t>(text.size()));
        bytes += text;
        Dword(20);
        return *this;
    }
    BinaryXWriter& Integer(std::uint32_t value) {
        Word(3);
        Dword(value);
        return *this;
    }
    BinaryXWriter& Guid() {
        Word(5);
        bytes.append(16, '\x42');
        return *this;
    }
    BinaryXWriter& Integers(std::initializer_list<std::uint32_t> values) {
        Word(6);
        Dword(static_cast<std::uint32_t>(values.size()));
        for (const std::uint32_t value : values)
            Dword(value);
        return *this;
    }
    BinaryXWriter& Floats(std::initializer_list<float> values) {
        Word(7);
        Dword(static_cast<std::uint32_t>(values.size()));
        for (const float value : values) {
            std::uint32_t bits = 0;
            std::memcpy(&bits, &value, 4);
            Dword(bits);
        }
        return *this;
    }
    BinaryXWriter& Open() { return Word(10); }
    BinaryXWriter& Close() { return Word(11); }
    BinaryXWriter& Semicolon() { return Word(20); }
    BinaryXWriter& Word(std::uint16_t value) {
        bytes += static_cast<char>(value & 0xFF);
        bytes += static_cast<char>(value >> 8);
        return *this;
    }
    BinaryXWriter& Dword(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes += static_cast<char>((value >> shift) & 0xFF);
        return *this;
    }

    const std::string& Bytes() const { return bytes; }

private:
    std::string bytes;
};

// The fixture in the binary encoding, with a template declaration of its own.
inline std::string FixtureBinary() {
    BinaryXWriter x;
    x.Word(31).Name("Vector").Open().Guid().Word(42).Name("x").Semicolon().Close();
    x.Name("Material").Name("Red").Open();
    x.Floats({1.0f, 0.0f, 0.0f, 0.5f, 12.5f, 0.25f, 0.5f, 0.75f, 0.125f, 0.0625f, 0.03125f});
    x.Name("TextureFilename").Open().String("red.png").Close();
    x.Close();
    x.Name("Frame").Name("Root").Open();
    x.Name("FrameTransformMatrix").Open();
    x.Floats({2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 5, 6, 7, 1}).Close();
    x.Name("Mesh").Name("Quad").Open().Guid();
    x.Integers({5});
    x.Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0, 0.5f, 2.0f, 0.1f});
    x.Integer(3).Integers({4, 0, 1, 2, 3, 3, 3, 2, 4, 3, 0, 2, 1});
    x.Name("MeshNormals").Open().Integers({2}).Floats({0, 0, -1, 0, 0.6f, 0.8f});
    x.Integers({3, 4, 0, 0, 0, 0, 3, 1, 1, 1, 3, 0, 0, 0}).Close();
    x.Name("MeshTextureCoords").Open().Integers({5});
    x.Floats({0, 0, 1, 0, 1, 1, 0, 1, 0.5f, 0.25f}).Close();
    x.Name("MeshMaterialList").Open().Integers({2, 3, 1, 0, 1});
    x.Open().Name("Red").Close();
    x.Name("Material").Name("Green").Open();
    x.Floats({0, 1, 0, 1, 2, 0, 0, 0, 0, 0, 0}).Close();
    x.Close(); // material list
    x.Close(); // mesh
    x.Close(); // frame
    return x.Bytes();
}
