// Raw meshes: the ".nfo" and ".decl" parsing and the checks of the buffers, missing and damaged
// entries, the writer's meshes loading back byte for byte, guarded device calls, effect
// ownership, and drawing.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/FrameworkEx.h"
#include "Framework/RawMesh.h"
#include "Framework/RawMeshFormat.h"
#include "RawMeshWriter/RawMeshWriter.h"
#include "ScratchDataFile.h"

#include <gmock/gmock.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

namespace {

using ::testing::MatchesRegex;
using ::testing::StartsWith;

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

// The message of the FrameworkEx that `action` throws, or "" when it throws none.
template <class Action>
std::string FailureOf(Action action) {
    try {
        action();
    } catch (const FrameworkEx& error) {
        return error.Message();
    }
    return "";
}

TEST(RawMeshInfo, ReadsTheThreeHexadecimalCountsAsTheFormattedScanDoes) {
    struct Case {
        const char* text;
        RawMeshInfo expected;
    };
    const Case cases[] = {
        {"Verts:1a\nBytesPrVert:20\nFaces:c\n", {26, 32, 12}},
        {"Verts:1A\nBytesPrVert:20\nFaces:C", {26, 32, 12}},
        {"Verts:1a\r\nBytesPrVert:20\r\nFaces:c\r\n", {26, 32, 12}},
        {"Verts: 0x1a\nBytesPrVert:\t20\n\nFaces:0XC\n", {26, 32, 12}},
        {"Verts:ffffffff\nBytesPrVert:1\nFaces:0\n", {0xFFFFFFFFu, 1, 0}},
        {"Verts:3\nBytesPrVert:c\nFaces:1\ntrailing words", {3, 12, 1}},
    };
    for (const Case& c : cases) {
        const RawMeshInfo info = RawMeshFormat::ParseInfo(Bytes(c.text), "Data\\M.nfo");
        EXPECT_EQ(info.vertexCount, c.expected.vertexCount) << c.text;
        EXPECT_EQ(info.vertexStride, c.expected.vertexStride) << c.text;
        EXPECT_EQ(info.triangleCount, c.expected.triangleCount) << c.text;
    }
}

TEST(RawMeshInfo, DamagedTextIsRefusedWithTheEntryAndTheFault) {
    struct Case {
        const char* text;
        const char* fault;
    };
    const Case cases[] = {
        {"", "expected \"Verts:\""},
        {"verts:1a\nBytesPrVert:20\nFaces:c\n", "expected \"Verts:\""},
        {"Verts:\n\n", "expected a hexadecimal number after \"Verts:\""},
        // As in the C runtime's scan, white space before a number is skipped: the B of the next
        // line is the number, and "ytesPrVert:" is not what follows it.
        {"Verts:\nBytesPrVert:20\nFaces:c\n", "expected \"BytesPrVert:\""},
        {"Verts:-1\nBytesPrVert:20\nFaces:c\n", "expected a hexadecimal number after \"Verts:\""},
        {"Verts:100000000\nBytesPrVert:20\nFaces:c\n",
         "the number after \"Verts:\" exceeds 32 bits"},
        {"Verts:1a\nBytesPr", "expected \"BytesPrVert:\""},
        {"Verts:1a\nBytesPrVert:0x\nFaces:c\n", "expected \"Faces:\""}, // the number is 0
        {"Verts:1a\nBytesPrVert:\n", "expected a hexadecimal number after \"BytesPrVert:\""},
        {"Verts:1a\nBytesPrVert:20\nFaces:", "expected a hexadecimal number after \"Faces:\""},
        {"Verts:1a\nBytesPrVert:20\nFaces:fffffffff",
         "the number after \"Faces:\" exceeds 32 bits"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FailureOf([&] { RawMeshFormat::ParseInfo(Bytes(c.text), "Data\\M.nfo"); }),
                  std::string("[rawMesh::Load] Data\\M.nfo: ") + c.fault)
            << c.text;
}

TEST(RawMeshInfo, ParsingStopsAtTheEndOfTheEntry) {
    // The entry has no terminating zero: what follows it in memory must not complete the text.
    const std::string memory = "Verts:1a\nBytesPrVert:20\nFaces:c";
    const std::vector<std::uint8_t> bytes = Bytes(memory);
    EXPECT_EQ(FailureOf([&] {
                  RawMeshFormat::ParseInfo(std::span(bytes).first(bytes.size() - 1), "I.nfo");
              }),
              "[rawMesh::Load] I.nfo: expected a hexadecimal number after \"Faces:\"");
    EXPECT_EQ(FailureOf([&] {
                  RawMeshFormat::ParseInfo(std::span(bytes).first(bytes.size() - 3), "I.nfo");
              }),
              "[rawMesh::Load] I.nfo: expected \"Faces:\"");
}

// Elements of 8 bytes: stream, offset (little-endian), type, method, usage, usage index.
std::vector<std::uint8_t> Element(std::uint16_t stream, std::uint16_t offset, std::uint8_t type,
                                  std::uint8_t method, std::uint8_t usage, std::uint8_t index) {
    return {static_cast<std::uint8_t>(stream),
            static_cast<std::uint8_t>(stream >> 8),
            static_cast<std::uint8_t>(offset),
            static_cast<std::uint8_t>(offset >> 8),
            type,
            method,
            usage,
            index};
}

std::vector<std::uint8_t> Concatenate(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

// Position, normal and texture coordinates in 32 bytes.
const std::vector<std::uint8_t> kThreeElements =
    Concatenate({Element(0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0),
                 Element(0, 12, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_NORMAL, 0),
                 Element(0, 24, D3DDECLTYPE_FLOAT2, 0, D3DDECLUSAGE_TEXCOORD, 0)});

TEST(RawMeshDeclaration, TheEndMarkerFollowsTheWholeElements) {
    for (const std::size_t tail : {0u, 3u, 7u}) {
        std::vector<std::uint8_t> bytes = kThreeElements;
        bytes.insert(bytes.end(), tail, 0xAB);
        const std::vector<D3DVERTEXELEMENT9> elements =
            RawMeshFormat::ParseDeclaration(bytes, 32, "D.decl");
        ASSERT_EQ(elements.size(), 4u) << tail;
        EXPECT_EQ(elements[1].Offset, 12);
        EXPECT_EQ(elements[1].Usage, D3DDECLUSAGE_NORMAL);
        EXPECT_EQ(elements[2].Type, D3DDECLTYPE_FLOAT2);
        const D3DVERTEXELEMENT9 end = D3DDECL_END();
        EXPECT_EQ(std::memcmp(&elements[3], &end, sizeof end), 0) << tail;
    }
}

TEST(RawMeshDeclaration, ElementsTheMeshCannotHaveAreRefused) {
    std::vector<std::uint8_t> sixtyFour;
    for (int i = 0; i < 64; ++i) {
        const auto element = Element(0, 0, D3DDECLTYPE_FLOAT1, 0, D3DDECLUSAGE_TEXCOORD, 0);
        sixtyFour.insert(sixtyFour.end(), element.begin(), element.end());
    }
    const auto position = Element(0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0);
    struct Case {
        std::vector<std::uint8_t> bytes;
        std::uint32_t stride;
        const char* fault;
    };
    const Case cases[] = {
        {{1, 2, 3, 4, 5}, 32, "no vertex element"},
        {sixtyFour, 32, "64 vertex elements, more than 63"},
        {Concatenate({position, Element(1, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_NORMAL, 0)}), 32,
         "element 1 is in stream 1; the mesh has stream 0 only"},
        {Concatenate({position, Element(0xFF, 0, D3DDECLTYPE_UNUSED, 0, 0, 0)}), 32,
         "element 1 is in stream 255; the mesh has stream 0 only"},
        {Concatenate({Element(0, 0, D3DDECLTYPE_FLOAT3, 2, D3DDECLUSAGE_POSITION, 0)}), 32,
         "element 0 has the method 2; only the default method 0 is supported"},
        {Concatenate({position, Element(0, 12, 17, 0, D3DDECLUSAGE_NORMAL, 0)}), 32,
         "element 1 has the unknown type 17"},
        {Concatenate({Element(0, 0, 200, 0, D3DDECLUSAGE_POSITION, 0)}), 32,
         "element 0 has the unknown type 200"},
        {kThreeElements, 31, "element 2 (offset 24, 8 bytes) reaches past the vertex of 31 bytes"},
        {Concatenate({Element(0, 0xFFFF, D3DDECLTYPE_FLOAT4, 0, D3DDECLUSAGE_POSITION, 0)}), 32,
         "element 0 (offset 65535, 16 bytes) reaches past the vertex of 32 bytes"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FailureOf([&] { RawMeshFormat::ParseDeclaration(c.bytes, c.stride, "D.decl"); }),
                  std::string("[rawMesh::Load] D.decl: ") + c.fault);
}

TEST(RawMeshBuffers, SizesAndIndicesMustAgreeWithTheCounts) {
    const RawMeshInfo info{3, 12, 1};
    EXPECT_EQ(FailureOf([&] { RawMeshFormat::CheckVertices(info, 36, "M.vb"); }), "");
    EXPECT_EQ(FailureOf([&] { RawMeshFormat::CheckVertices(info, 35, "M.vb"); }),
              "[rawMesh::Load] M.vb: 35 bytes where 3 vertices of 12 bytes take 36");
    EXPECT_EQ(FailureOf([&] {
                  RawMeshFormat::CheckVertices({0xFFFFFFFFu, 0xFFFFFFFFu, 1}, 36, "M.vb");
              }),
              "[rawMesh::Load] M.vb: 36 bytes where 4294967295 vertices of 4294967295 bytes "
              "take 18446744065119617025");

    auto indices = [](std::initializer_list<std::uint32_t> values) {
        std::vector<std::uint8_t> bytes;
        for (const std::uint32_t value : values)
            for (int shift = 0; shift < 32; shift += 8)
                bytes.push_back(static_cast<std::uint8_t>(value >> shift));
        return bytes;
    };
    struct Case {
        std::vector<std::uint8_t> bytes;
        const char* fault; // "" when accepted
    };
    const Case cases[] = {
        {indices({0, 1, 2}), ""},
        {indices({0, 1}), "8 bytes where 1 triangles take 12"},
        {indices({0, 1, 2, 0, 1, 2}), "24 bytes where 1 triangles take 12"},
        {indices({0, 3, 2}), "index 1 is 3, past the 3 vertices"},
        {indices({0, 1, 0x01000000}), "index 2 is 16777216, past the 3 vertices"},
    };
    for (const Case& c : cases) {
        const std::string expected =
            *c.fault == '\0' ? "" : std::string("[rawMesh::Load] M.ib: ") + c.fault;
        EXPECT_EQ(FailureOf([&] { RawMeshFormat::CheckIndices(info, c.bytes, "M.ib"); }), expected);
    }
}

TEST(RawMeshWriterContent, RefusesWhatTheLoaderWouldRefuse) {
    RawMeshContent good;
    good.elements = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0}};
    good.vertexStride = 12;
    good.vertices.assign(36, 0);
    good.indices = {0, 1, 2};
    EXPECT_NO_THROW(RawMeshWriter::Encode(good));
    const std::map<std::string, std::vector<std::uint8_t>> entries = RawMeshWriter::Encode(good);
    EXPECT_EQ(std::string(entries.at(".nfo").begin(), entries.at(".nfo").end()),
              "Verts:3\nBytesPrVert:c\nFaces:1\n");

    auto changed = [&](auto change) {
        RawMeshContent mesh = good;
        change(mesh);
        return mesh;
    };
    const RawMeshContent bad[] = {
        changed([](RawMeshContent& m) { m.elements.clear(); }),
        changed([](RawMeshContent& m) { m.elements[0].stream = 1; }),
        changed([](RawMeshContent& m) { m.elements[0].offset = 4; }),
        changed([](RawMeshContent& m) { m.elements[0].type = 17; }),
        changed([](RawMeshContent& m) { m.vertices.resize(35); }),
        changed([](RawMeshContent& m) { m.vertices.clear(); }),
        changed([](RawMeshContent& m) { m.indices.push_back(0); }),
        changed([](RawMeshContent& m) { m.indices.clear(); }),
        changed([](RawMeshContent& m) { m.indices[2] = 3; }),
    };
    for (std::size_t i = 0; i < std::size(bad); ++i)
        EXPECT_THROW(RawMeshWriter::Encode(bad[i]), std::invalid_argument) << i;
}

constexpr const char* kMeshEffect = R"(
float4 Scale : SCALE = {1, 1, 1, 1};
vertex MeshVS(float3 pos : POSITION, float4 colour : COLOR0, out float4 vColour : COLOR0) {
    gl_Position = vec4(pos, 1.0);
    vColour = colour;
}
fragment MeshPS(float4 vColour : COLOR0, out float4 colour : COLOR0) { colour = vColour * Scale; }
technique Mesh {
    pass P0 { CullMode = None; ZEnable = false; VertexShader = MeshVS; PixelShader = MeshPS; }
}
technique TwoPasses {
    pass P0 { CullMode = None; ZEnable = false; AlphaBlendEnable = true; SrcBlend = One;
              DestBlend = One; VertexShader = MeshVS; PixelShader = MeshPS; }
    pass P1 { CullMode = None; ZEnable = false; AlphaBlendEnable = true; SrcBlend = One;
              DestBlend = One; VertexShader = MeshVS; PixelShader = MeshPS; }
}
)";

struct ColouredVertex {
    float x, y, z;
    D3DCOLOR colour;
};

// A quad over the left half of the target in two triangles, one red and one green (the
// diagonal from the top left to the bottom of the middle), with a position and a colour.
RawMeshContent HalfQuad() {
    const ColouredVertex vertices[] = {
        {-1.0f, 1.0f, 0.5f, 0xFFFF0000}, {0.0f, 1.0f, 0.5f, 0xFFFF0000},
        {0.0f, -1.0f, 0.5f, 0xFFFF0000}, {-1.0f, 1.0f, 0.5f, 0xFF00FF00},
        {0.0f, -1.0f, 0.5f, 0xFF00FF00}, {-1.0f, -1.0f, 0.5f, 0xFF00FF00},
    };
    RawMeshContent mesh;
    mesh.elements = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                     {0, 12, D3DDECLTYPE_D3DCOLOR, 0, D3DDECLUSAGE_COLOR, 0}};
    mesh.vertexStride = sizeof(ColouredVertex);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(vertices);
    mesh.vertices.assign(bytes, bytes + sizeof vertices);
    mesh.indices = {0, 1, 2, 3, 4, 5};
    return mesh;
}

// 26 vertices of 32 bytes (position, normal, texture coordinates) and 12 triangles.
RawMeshContent FoxMesh() {
    RawMeshContent mesh;
    mesh.elements = {{0, 0, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_POSITION, 0},
                     {0, 12, D3DDECLTYPE_FLOAT3, 0, D3DDECLUSAGE_NORMAL, 0},
                     {0, 24, D3DDECLTYPE_FLOAT2, 0, D3DDECLUSAGE_TEXCOORD, 0}};
    mesh.vertexStride = 32;
    for (int i = 0; i < 26 * 32; ++i)
        mesh.vertices.push_back(static_cast<std::uint8_t>(i * 7 + 3));
    for (std::uint32_t i = 0; i < 36; ++i)
        mesh.indices.push_back((i * 5) % 26);
    return mesh;
}

// Copies of "Data\Half" ("Data\Damaged0", ...) with one entry replaced, and the fault each
// gives.
struct Damage {
    const char* extension;
    std::string content;
    const char* fault;
};
const Damage kDamages[] = {
    {".nfo", "Verts:7\nBytesPrVert:10\nFaces:2\n",
     "Data\\Damaged0.vb: 96 bytes where 7 vertices of 16 bytes take 112"},
    {".nfo", "Verts:6\nBytesPrVert:10\nFaces:3\n",
     "Data\\Damaged1.ib: 24 bytes where 3 triangles take 36"},
    {".nfo", "Verts:5\nBytesPrVert:10\nFaces:2\n",
     "Data\\Damaged2.vb: 96 bytes where 5 vertices of 16 bytes take 80"},
    {".decl", std::string("\0\0\0\0\x02\0\0\0\0\0\x0c\0\x33\0\x0a\0", 16),
     "Data\\Damaged3.decl: element 1 has the unknown type 51"},
    {".ib", std::string("\0\0\0\0\x01\0\0\0\x02\0\0\0\x03\0\0\0\x04\0\0\0\x06\0\0\0", 24),
     "Data\\Damaged4.ib: index 5 is 6, past the 6 vertices"},
};
constexpr const char* kExtensions[] = {".nfo", ".decl", ".vb", ".ib"};

// A device and a data file holding the test effect and these meshes: "Data\Half" (HalfQuad),
// "Data\FOX_WITH_SOXS" (FoxMesh), "Data\Tail" (Half with 3 stray bytes after its declaration),
// "Data\Missing.nfo" ... (Half without that entry), the damaged copies, and
// "Data\ShortNormals" (Half with a SHORT2N normal, a type the device cannot read).
class RawMeshTest : public DeviceFixture {
protected:
    void SetUp() override {
        auto entries = BuildContentEntries();
        entries["OShaders\\RawMeshTest.fxo"] = kMeshEffect;
        AddMesh(entries, "Data\\Half", HalfQuad());
        AddMesh(entries, "Data\\FOX_WITH_SOXS", FoxMesh());
        AddMesh(entries, "Data\\Tail", HalfQuad());
        entries["Data\\Tail.decl"] += std::string("\x01\x02\x03", 3);
        for (const char* extension : kExtensions) {
            const std::string base = std::string("Data\\Missing") + extension;
            AddMesh(entries, base, HalfQuad());
            entries.erase(base + extension);
        }
        for (std::size_t i = 0; i < std::size(kDamages); ++i) {
            const std::string base = "Data\\Damaged" + std::to_string(i);
            AddMesh(entries, base, HalfQuad());
            entries[base + kDamages[i].extension] = kDamages[i].content;
        }
        RawMeshContent shortNormals = HalfQuad();
        shortNormals.elements.push_back({0, 12, 9, 0, D3DDECLUSAGE_NORMAL, 0});
        AddMesh(entries, "Data\\ShortNormals", shortNormals);

        scratch.emplace();
        WriteDataFile(scratch->Directory(), entries);
        OpenFramework();
        ASSERT_EQ(g_pd3dDevice->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET,
                                              D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &targetTexture,
                                              nullptr),
                  D3D_OK);
        ASSERT_EQ(targetTexture->GetSurfaceLevel(0, &target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
    }

    void TearDown() override {
        if (framework) g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
        if (target) target->Release();
        if (targetTexture) targetTexture->Release();
        CloseFramework();
        scratch.reset();
        DeviceFixture::TearDown();
    }

    static void AddMesh(std::map<std::string, std::string>& entries, const std::string& base,
                        const RawMeshContent& mesh) {
        for (const auto& [extension, bytes] : RawMeshWriter::Encode(mesh))
            entries[base + extension] = std::string(bytes.begin(), bytes.end());
    }

    std::uint32_t Pixel(int x, int y) {
        return ReadPixels(target)[static_cast<std::size_t>(y) * kSize + x];
    }

    static constexpr int kSize = 32;
    std::optional<ScratchDataFile> scratch;
    IDirect3DTexture9* targetTexture = nullptr;
    IDirect3DSurface9* target = nullptr;
};

TEST_F(RawMeshTest, AWrittenMeshLoadsBackByteForByte) {
    const RawMeshContent mesh = FoxMesh();
    const std::vector<std::uint8_t> info = RawMeshWriter::Encode(mesh).at(".nfo");
    EXPECT_EQ(std::string(info.begin(), info.end()), "Verts:1a\nBytesPrVert:20\nFaces:c\n");
    RawMesh loaded;
    loaded.Load("Data\\FOX_WITH_SOXS");
    EXPECT_EQ(loaded.VertexCount(), 26u);
    EXPECT_EQ(loaded.VertexStride(), 32u);
    EXPECT_EQ(loaded.TriangleCount(), 12u);

    UINT count = 0;
    ASSERT_EQ(loaded.Declaration()->GetDeclaration(nullptr, &count), D3D_OK);
    ASSERT_EQ(count, 4u);
    D3DVERTEXELEMENT9 elements[4];
    loaded.Declaration()->GetDeclaration(elements, &count);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(elements[i].Offset, mesh.elements[i].offset);
        EXPECT_EQ(elements[i].Type, mesh.elements[i].type);
        EXPECT_EQ(elements[i].Usage, mesh.elements[i].usage);
    }
    EXPECT_EQ(elements[3].Stream, 0xFF);

    D3DVERTEXBUFFER_DESC vertexDesc{};
    loaded.VertexBuffer()->GetDesc(&vertexDesc);
    EXPECT_EQ(vertexDesc.Size, mesh.vertices.size());
    EXPECT_EQ(vertexDesc.Usage, 0u);
    EXPECT_EQ(vertexDesc.Pool, D3DPOOL_DEFAULT);
    void* data = nullptr;
    ASSERT_EQ(loaded.VertexBuffer()->Lock(0, 0, &data, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(std::memcmp(data, mesh.vertices.data(), mesh.vertices.size()), 0);
    loaded.VertexBuffer()->Unlock();

    D3DINDEXBUFFER_DESC indexDesc{};
    loaded.IndexBuffer()->GetDesc(&indexDesc);
    EXPECT_EQ(indexDesc.Format, D3DFMT_INDEX32);
    EXPECT_EQ(indexDesc.Size, mesh.indices.size() * 4);
    ASSERT_EQ(loaded.IndexBuffer()->Lock(0, 0, &data, D3DLOCK_READONLY), D3D_OK);
    EXPECT_EQ(std::memcmp(data, mesh.indices.data(), indexDesc.Size), 0);
    loaded.IndexBuffer()->Unlock();
}

TEST_F(RawMeshTest, AStrayTailOfTheDeclarationIsCoveredByTheEndMarker) {
    RawMesh mesh;
    mesh.Load("Data\\Tail"); // 19 bytes: two elements
    UINT count = 0;
    mesh.Declaration()->GetDeclaration(nullptr, &count);
    EXPECT_EQ(count, 3u);
}

TEST_F(RawMeshTest, EachMissingEntryIsNamed) {
    for (const char* extension : kExtensions) {
        const std::string base = std::string("Data\\Missing") + extension;
        RawMesh mesh;
        EXPECT_EQ(FailureOf([&] { mesh.Load(base); }),
                  "[rawMesh::Load] Missing entry " + base + extension);
        EXPECT_EQ(mesh.VertexBuffer(), nullptr);
        EXPECT_EQ(mesh.Declaration(), nullptr);
    }
}

TEST_F(RawMeshTest, DamagedEntriesMakeNoDeviceObjects) {
    for (std::size_t i = 0; i < std::size(kDamages); ++i) {
        RawMesh mesh;
        EXPECT_EQ(FailureOf([&] { mesh.Load("Data\\Damaged" + std::to_string(i)); }),
                  std::string("[rawMesh::Load] ") + kDamages[i].fault);
        EXPECT_EQ(mesh.Declaration(), nullptr);
        EXPECT_EQ(mesh.VertexBuffer(), nullptr);
        EXPECT_EQ(mesh.IndexBuffer(), nullptr);
    }
}

TEST_F(RawMeshTest, DeviceFailuresAreGuardedCalls) {
    for (const char* operation :
         {"CreateVertexDeclaration", "CreateVertexBuffer", "CreateIndexBuffer"}) {
        D3D9TestSeam::InjectResult(operation, E_OUTOFMEMORY);
        RawMesh mesh;
        EXPECT_THAT(FailureOf([&] { mesh.Load("Data\\Half"); }),
                    MatchesRegex("Error: E_OUTOFMEMORY\n\n\\.\\\\Source\\\\Framework\\\\RawMesh\\\\"
                                 "RawMesh : [0-9]+"))
            << operation;

        D3D9TestSeam::InjectResult(operation, D3DERR_DEVICELOST);
        framework->deviceLost = false;
        EXPECT_EQ(FailureOf([&] { mesh.Load("Data\\Half"); }), "") << operation;
        EXPECT_TRUE(framework->deviceLost) << operation;
    }
    // A type the device cannot read is the device's refusal, reported the same way.
    RawMesh mesh;
    EXPECT_THAT(FailureOf([&] { mesh.Load("Data\\ShortNormals"); }),
                StartsWith("Error: D3DERR_INVALIDCALL\n\n.\\Source\\Framework\\RawMesh\\RawMesh"));
}

TEST_F(RawMeshTest, DrawsNothingWithoutAnEffectAndEveryPassWithOne) {
    RawMesh mesh;
    mesh.Load("Data\\Half");
    mesh.Draw();
    EXPECT_EQ(Pixel(4, 16), 0xFF000000u);

    mesh.LoadEffect("RawMeshTest.fx", nullptr);
    mesh.Effect()->SetTechnique("Mesh");
    mesh.Draw();
    EXPECT_EQ(Pixel(12, 2), 0xFFFF0000u);  // upper right of the diagonal
    EXPECT_EQ(Pixel(2, 28), 0xFF00FF00u);  // lower left
    EXPECT_EQ(Pixel(24, 16), 0xFF000000u); // the right half stays clear

    g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
    const float quarter[4] = {0.25f, 0.25f, 0.25f, 1.0f};
    mesh.Effect()->SetVector4("SCALE", quarter);
    mesh.Effect()->SetTechnique("TwoPasses");
    mesh.Draw();
    EXPECT_NEAR(static_cast<int>((Pixel(12, 2) >> 16) & 0xFF), 128, 1);
    EXPECT_EQ(Pixel(12, 2) & 0xFFFF, 0u);
}

TEST_F(RawMeshTest, ASecondEffectIsRefusedAndTheFirstStays) {
    RawMesh mesh;
    mesh.LoadEffect("RawMeshTest.fx", nullptr);
    DXEffect* first = mesh.Effect();
    EXPECT_EQ(FailureOf([&] { mesh.LoadEffect("RawMeshTest.fx", nullptr); }),
              "[rawMesh::LoadEffect] Effect already bound");
    EXPECT_EQ(mesh.Effect(), first);
    mesh.Load("Data\\Half");
    mesh.Release();
    EXPECT_EQ(mesh.Effect(), nullptr);
    EXPECT_EQ(mesh.VertexBuffer(), nullptr);
    EXPECT_EQ(mesh.IndexBuffer(), nullptr);
    EXPECT_EQ(mesh.Declaration(), nullptr);
}

} // namespace
