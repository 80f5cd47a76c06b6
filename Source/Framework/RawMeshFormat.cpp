#include "Framework/RawMeshFormat.h"

#include "Framework/FrameworkEx.h"

#include <cctype>
#include <string_view>

namespace {

constexpr std::size_t kElementBytes = 8;
constexpr std::uint32_t kIndexBytes = 4;
constexpr std::uint32_t kIndicesPerTriangle = 3;

[[noreturn]] void Fail(const std::string& entry, const std::string& what) {
    throw FrameworkEx("[rawMesh::Load] " + entry + ": " + what);
}

// A cursor over the ".nfo" bytes that never reads past them.
class InfoScanner {
public:
    InfoScanner(std::span<const std::uint8_t> bytes, const std::string& entryName)
        : text(bytes), entry(entryName) {}

    void Literal(std::string_view literal) {
        for (const char expected : literal)
            if (position >= text.size() || text[position++] != static_cast<std::uint8_t>(expected))
                Fail(entry, "expected \"" + std::string(literal) + "\"");
    }

    std::uint32_t HexNumber(std::string_view field) {
        SkipWhiteSpace();
        if (Remaining() >= 2 && text[position] == '0' &&
            (text[position + 1] == 'x' || text[position + 1] == 'X') && IsHexDigit(position + 2))
            position += 2;
        if (!IsHexDigit(position))
            Fail(entry, "expected a hexadecimal number after \"" + std::string(field) + "\"");
        std::uint64_t value = 0;
        while (IsHexDigit(position)) {
            const int digit = std::isdigit(text[position])
                                  ? text[position] - '0'
                                  : std::tolower(text[position]) - 'a' + 10;
            value = value * 16 + static_cast<std::uint64_t>(digit);
            if (value > 0xFFFFFFFFu)
                Fail(entry, "the number after \"" + std::string(field) + "\" exceeds 32 bits");
            ++position;
        }
        return static_cast<std::uint32_t>(value);
    }

    void SkipWhiteSpace() {
        while (position < text.size() && std::isspace(text[position]))
            ++position;
    }

private:
    std::size_t Remaining() const { return text.size() - position; }
    bool IsHexDigit(std::size_t at) const { return at < text.size() && std::isxdigit(text[at]); }

    std::span<const std::uint8_t> text;
    const std::string& entry;
    std::size_t position = 0;
};

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

} // namespace

namespace RawMeshFormat {

RawMeshInfo ParseInfo(std::span<const std::uint8_t> text, const std::string& entry) {
    InfoScanner scanner(text, entry);
    RawMeshInfo info;
    scanner.Literal("Verts:");
    info.vertexCount = scanner.HexNumber("Verts:");
    scanner.SkipWhiteSpace();
    scanner.Literal("BytesPrVert:");
    info.vertexStride = scanner.HexNumber("BytesPrVert:");
    scanner.SkipWhiteSpace();
    scanner.Literal("Faces:");
    info.triangleCount = scanner.HexNumber("Faces:");
    return info;
}

std::uint32_t TypeSize(BYTE type) {
    // FLOAT1..4, D3DCOLOR, UBYTE4, SHORT2, SHORT4, UBYTE4N, SHORT2N, SHORT4N, USHORT2N,
    // USHORT4N, UDEC3, DEC3N, FLOAT16_2, FLOAT16_4.
    constexpr std::uint32_t kSizes[] = {4, 8, 12, 16, 4, 4, 4, 8, 4, 4, 8, 4, 8, 4, 4, 4, 8};
    return type < std::size(kSizes) ? kSizes[type] : 0;
}

std::vector<D3DVERTEXELEMENT9> ParseDeclaration(std::span<const std::uint8_t> bytes,
                                                std::uint32_t vertexStride,
                                                const std::string& entry) {
    const std::size_t count = bytes.size() / kElementBytes;
    if (count == 0) Fail(entry, "no vertex element");
    if (count > MAXD3DDECLLENGTH - 1)
        Fail(entry, std::to_string(count) + " vertex elements, more than " +
                        std::to_string(MAXD3DDECLLENGTH - 1));
    std::vector<D3DVERTEXELEMENT9> elements;
    elements.reserve(count + 1);
    for (std::size_t i = 0; i < count; ++i) {
        const std::span<const std::uint8_t> raw = bytes.subspan(i * kElementBytes, kElementBytes);
        const D3DVERTEXELEMENT9 element{Word(raw, 0), Word(raw, 2), raw[4], raw[5], raw[6], raw[7]};
        const std::string name = "element " + std::to_string(i);
        if (element.Stream != 0)
            Fail(entry, name + " is in stream " + std::to_string(element.Stream) +
                            "; the mesh has stream 0 only");
        if (element.Method != D3DDECLMETHOD_DEFAULT)
            Fail(entry, name + " has the method " + std::to_string(element.Method) +
                            "; only the default method 0 is supported");
        const std::uint32_t size = TypeSize(element.Type);
        if (size == 0) Fail(entry, name + " has the unknown type " + std::to_string(element.Type));
        if (element.Offset + size > vertexStride)
            Fail(entry, name + " (offset " + std::to_string(element.Offset) + ", " +
                            std::to_string(size) + " bytes) reaches past the vertex of " +
                            std::to_string(vertexStride) + " bytes");
        elements.push_back(element);
    }
    elements.push_back(D3DDECL_END());
    return elements;
}

void CheckVertices(const RawMeshInfo& info, std::size_t vertexBytes, const std::string& entry) {
    const std::uint64_t expected = std::uint64_t{info.vertexCount} * info.vertexStride;
    if (vertexBytes != expected)
        Fail(entry, std::to_string(vertexBytes) + " bytes where " +
                        std::to_string(info.vertexCount) + " vertices of " +
                        std::to_string(info.vertexStride) + " bytes take " +
                        std::to_string(expected));
}

void CheckIndices(const RawMeshInfo& info, std::span<const std::uint8_t> indexBytes,
                  const std::string& entry) {
    const std::uint64_t expected =
        std::uint64_t{info.triangleCount} * kIndicesPerTriangle * kIndexBytes;
    if (indexBytes.size() != expected)
        Fail(entry, std::to_string(indexBytes.size()) + " bytes where " +
                        std::to_string(info.triangleCount) + " triangles take " +
                        std::to_string(expected));
    for (std::size_t at = 0; at < indexBytes.size(); at += kIndexBytes) {
        const std::uint32_t index = static_cast<std::uint32_t>(indexBytes[at]) |
                                    (static_cast<std::uint32_t>(indexBytes[at + 1]) << 8) |
                                    (static_cast<std::uint32_t>(indexBytes[at + 2]) << 16) |
                                    (static_cast<std::uint32_t>(indexBytes[at + 3]) << 24);
        if (index >= info.vertexCount)
            Fail(entry, "index " + std::to_string(at / kIndexBytes) + " is " +
                            std::to_string(index) + ", past the " +
                            std::to_string(info.vertexCount) + " vertices");
    }
}

} // namespace RawMeshFormat
