// X meshes from memory: the numbers of a small file one by one, in both encodings; vertices
// split per normal; subsets in face order; materials; bad inputs; the generated bevelled cube.
#include "DeviceFixture.h"
#include "Platform/D3DX9/D3DXMesh.h"
#include "XMeshFixtures.h"

#include <array>
#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <utility>
#include <vector>

namespace {

struct Vertex {
    float position[3];
    float normal[3];
    float texCoord[2];
};

// What a loaded mesh holds, read back through the mesh interface.
struct LoadedMesh {
    std::vector<Vertex> vertices;
    std::vector<std::uint32_t> indices;
    std::vector<DWORD> attributes;
    std::vector<D3DXATTRIBUTERANGE> table;
    std::vector<D3DXMATERIAL> materials;
    std::vector<std::string> textureNames; // "" for none
    std::vector<DWORD> adjacency;
};

class XMeshTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }

    static HRESULT Load(const std::string& file, DWORD options = D3DXMESH_MANAGED | D3DXMESH_32BIT,
                        LoadedMesh* out = nullptr) {
        ID3DXMesh* mesh = nullptr;
        ID3DXBuffer* materials = nullptr;
        ID3DXBuffer* adjacency = nullptr;
        DWORD count = 0;
        const HRESULT result =
            D3DXLoadMeshFromXInMemory(file.data(), static_cast<DWORD>(file.size()), options,
                                      g_pd3dDevice, &adjacency, &materials, nullptr, &count, &mesh);
        if (FAILED(result)) {
            EXPECT_EQ(mesh, nullptr);
            return result;
        }
        if (out != nullptr) Read(mesh, materials, adjacency, count, *out);
        materials->Release();
        adjacency->Release();
        mesh->Release();
        return result;
    }

    static void Read(ID3DXMesh* mesh, ID3DXBuffer* materials, ID3DXBuffer* adjacency, DWORD count,
                     LoadedMesh& out) {
        EXPECT_EQ(mesh->GetFVF(), 0x112u);
        EXPECT_EQ(mesh->GetNumBytesPerVertex(), 32u);
        void* data = nullptr;
        EXPECT_EQ(mesh->LockVertexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
        const auto* vertices = static_cast<const Vertex*>(data);
        out.vertices.assign(vertices, vertices + mesh->GetNumVertices());
        mesh->UnlockVertexBuffer();
        EXPECT_EQ(mesh->LockIndexBuffer(D3DLOCK_READONLY, &data), D3D_OK);
        const bool wide = (mesh->GetOptions() & D3DXMESH_32BIT) != 0;
        for (DWORD i = 0; i < 3 * mesh->GetNumFaces(); ++i)
            out.indices.push_back(wide ? static_cast<const std::uint32_t*>(data)[i]
                                       : static_cast<const std::uint16_t*>(data)[i]);
        mesh->UnlockIndexBuffer();
        DWORD* attributes = nullptr;
        EXPECT_EQ(mesh->LockAttributeBuffer(D3DLOCK_READONLY, &attributes), D3D_OK);
        out.attributes.assign(attributes, attributes + mesh->GetNumFaces());
        mesh->UnlockAttributeBuffer();
        DWORD size = 0;
        mesh->GetAttributeTable(nullptr, &size);
        out.table.resize(size);
        mesh->GetAttributeTable(out.table.data(), &size);
        const auto* entries = static_cast<const D3DXMATERIAL*>(materials->GetBufferPointer());
        out.materials.assign(entries, entries + count);
        for (const D3DXMATERIAL& entry : out.materials)
            out.textureNames.push_back(entry.pTextureFilename ? entry.pTextureFilename : "");
        const auto* faces = static_cast<const DWORD*>(adjacency->GetBufferPointer());
        out.adjacency.assign(faces, faces + adjacency->GetBufferSize() / sizeof(DWORD));
    }
};

void ExpectVertex(const Vertex& v, std::array<float, 3> position, std::array<float, 3> normal,
                  std::array<float, 2> texCoord, int index) {
    SCOPED_TRACE("vertex " + std::to_string(index));
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(v.position[i], position[i]);
        EXPECT_EQ(v.normal[i], normal[i]);
    }
    EXPECT_EQ(v.texCoord[0], texCoord[0]);
    EXPECT_EQ(v.texCoord[1], texCoord[1]);
}

void ExpectColour(const D3DCOLORVALUE& colour, std::array<float, 4> expected) {
    EXPECT_EQ(colour.r, expected[0]);
    EXPECT_EQ(colour.g, expected[1]);
    EXPECT_EQ(colour.b, expected[2]);
    EXPECT_EQ(colour.a, expected[3]);
}

// Every number of the fixture, whichever encoding carried it.
void ExpectFixture(const LoadedMesh& mesh) {
    const std::array<float, 3> back{0.0f, 0.0f, -1.0f}, tilted{0.0f, 0.6f, 0.8f};
    ASSERT_EQ(mesh.vertices.size(), 7u);
    // The file's vertices with the normal of their first use, then the copies for the middle
    // triangle's other normal at vertices 3 and 2, in the order the triangle meets them.
    ExpectVertex(mesh.vertices[0], {0, 0, 0}, back, {0, 0}, 0);
    ExpectVertex(mesh.vertices[1], {1, 0, 0}, back, {1, 0}, 1);
    ExpectVertex(mesh.vertices[2], {1, 1, 0}, back, {1, 1}, 2);
    ExpectVertex(mesh.vertices[3], {0, 1, 0}, back, {0, 1}, 3);
    ExpectVertex(mesh.vertices[4], {0.5f, 2.0f, 0.1f}, tilted, {0.5f, 0.25f}, 4);
    ExpectVertex(mesh.vertices[5], {0, 1, 0}, tilted, {0, 1}, 5);
    ExpectVertex(mesh.vertices[6], {1, 1, 0}, tilted, {1, 1}, 6);

    // Subset 0 (the middle triangle) first, then subset 1 in file order: the fanned quad and
    // the last triangle.
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{5, 6, 4, 0, 1, 2, 0, 2, 3, 0, 2, 1}));
    EXPECT_EQ(mesh.attributes, (std::vector<DWORD>{0, 1, 1, 1}));
    ASSERT_EQ(mesh.table.size(), 2u);
    const D3DXATTRIBUTERANGE expected[] = {{0, 0, 1, 4, 3}, {1, 1, 3, 0, 4}};
    for (int i = 0; i < 2; ++i) {
        EXPECT_EQ(mesh.table[i].AttribId, expected[i].AttribId);
        EXPECT_EQ(mesh.table[i].FaceStart, expected[i].FaceStart);
        EXPECT_EQ(mesh.table[i].FaceCount, expected[i].FaceCount);
        EXPECT_EQ(mesh.table[i].VertexStart, expected[i].VertexStart);
        EXPECT_EQ(mesh.table[i].VertexCount, expected[i].VertexCount);
    }

    ASSERT_EQ(mesh.materials.size(), 2u);
    const D3DMATERIAL9& red = mesh.materials[0].MatD3D;
    ExpectColour(red.Diffuse, {1.0f, 0.0f, 0.0f, 0.5f});
    ExpectColour(red.Ambient, {0.0f, 0.0f, 0.0f, 1.0f});
    ExpectColour(red.Specular, {0.25f, 0.5f, 0.75f, 1.0f});
    ExpectColour(red.Emissive, {0.125f, 0.0625f, 0.03125f, 1.0f});
    EXPECT_EQ(red.Power, 12.5f);
    const D3DMATERIAL9& green = mesh.materials[1].MatD3D;
    ExpectColour(green.Diffuse, {0.0f, 1.0f, 0.0f, 1.0f});
    EXPECT_EQ(green.Power, 2.0f);
    EXPECT_EQ(mesh.textureNames, (std::vector<std::string>{"red.png", ""}));

    // The middle triangle meets the quad's second triangle along the edge from vertex 3 to 2.
    ASSERT_EQ(mesh.adjacency.size(), 12u);
    EXPECT_EQ(mesh.adjacency[0], 2u);
    EXPECT_EQ(mesh.adjacency[1], 0xFFFFFFFFu);
    EXPECT_EQ(mesh.adjacency[2], 0xFFFFFFFFu);
}

TEST_F(XMeshTest, TheTextFixtureComesOutNumberByNumber) {
    LoadedMesh mesh;
    ASSERT_EQ(Load(kFixtureText, D3DXMESH_MANAGED | D3DXMESH_32BIT, &mesh), D3D_OK);
    ExpectFixture(mesh);
}

TEST_F(XMeshTest, TheBinaryFixtureGivesTheSameMeshWithEitherIndexSize) {
    for (const DWORD options : {D3DXMESH_MANAGED | D3DXMESH_32BIT, D3DXMESH_MANAGED}) {
        SCOPED_TRACE(options);
        LoadedMesh mesh;
        ASSERT_EQ(Load(FixtureBinary(), options, &mesh), D3D_OK);
        ExpectFixture(mesh);
    }
}

TEST_F(XMeshTest, AMeshWithoutListsGetsZerosAndOneWhiteMaterial) {
    const std::string file = "xof 0303txt 0032\nMesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,2,1;; }\n";
    LoadedMesh mesh;
    ASSERT_EQ(Load(file, D3DXMESH_MANAGED | D3DXMESH_32BIT, &mesh), D3D_OK);
    ASSERT_EQ(mesh.vertices.size(), 3u);
    ExpectVertex(mesh.vertices[1], {1, 0, 0}, {0, 0, 0}, {0, 0}, 1);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 2, 1}));
    ASSERT_EQ(mesh.materials.size(), 1u);
    ExpectColour(mesh.materials[0].MatD3D.Diffuse, {1, 1, 1, 1});
    EXPECT_EQ(mesh.materials[0].pTextureFilename, nullptr);
}

TEST_F(XMeshTest, SeveralMeshesFollowEachOtherWithTheirOwnMaterials) {
    const std::string one =
        "Mesh { 3; 0;0;0;, 1;0;0;, 0;1;0;; 1; 3;0,1,2;;"
        " MeshMaterialList { 1; 1; 0;; Material { 1;0;0;1;; 0; 0;0;0;; 0;0;0;; } } }\n";
    const std::string two = "Mesh { 3; 5;0;0;, 6;0;0;, 5;1;0;; 1; 3;2,1,0;; }\n";
    LoadedMesh mesh;
    // A shorter face list of a material list repeats its last index.
    ASSERT_EQ(Load("xof 0303txt 0032\n" + two + one), D3D_OK);
    ASSERT_EQ(Load("xof 0303txt 0032\n" + one + two, D3DXMESH_32BIT, &mesh), D3D_OK);
    ASSERT_EQ(mesh.vertices.size(), 6u);
    EXPECT_EQ(mesh.vertices[3].position[0], 5.0f);
    EXPECT_EQ(mesh.indices, (std::vector<std::uint32_t>{0, 1, 2, 5, 4, 3}));
    EXPECT_EQ(mesh.attributes, (std::vector<DWORD>{0, 1}));
    ASSERT_EQ(mesh.materials.size(), 2u);
    ExpectColour(mesh.materials[0].MatD3D.Diffuse, {1, 0, 0, 1});
    ExpectColour(mesh.materials[1].MatD3D.Diffuse, {1, 1, 1, 1});
}

TEST_F(XMeshTest, BadInputsAreRefusedWithoutAMesh) {
    const std::string header = "xof 0303txt 0032\n";
    auto mesh = [&](const std::string& vertices, const std::string& faces,
                    const std::string& children = "") {
        return header + "Mesh { " + vertices + " " + faces + " " + children + " }\n";
    };
    const std::string triangle = "3; 0;0;0;, 1;0;0;, 0;1;0;;";
    const std::string oneFace = "1; 3;0,1,2;;";
    std::string deepFrames = header;
    for (int i = 0; i < 100; ++i)
        deepFrames += "Frame {\n";
    deepFrames += mesh(triangle, oneFace).substr(header.size());
    for (int i = 0; i < 100; ++i)
        deepFrames += "}\n";

    struct Case {
        const char* what;
        std::string file;
        HRESULT result;
    };
    const std::string binaryHeader = "xof 0303bin 0032";
    const Case cases[] = {
        {"empty", "", D3DXERR_INVALIDDATA},
        {"no header", "Mesh { }", D3DXERR_INVALIDDATA},
        {"unknown float size", "xof 0303txt 0016" + mesh(triangle, oneFace).substr(16),
         D3DXERR_INVALIDDATA},
        {"truncated text", kFixtureText.substr(0, kFixtureText.size() / 2), D3DXERR_INVALIDDATA},
        {"truncated binary", FixtureBinary().substr(0, FixtureBinary().size() - 7),
         D3DXERR_INVALIDDATA},
        {"more vertices than given", mesh("9; 0;0;0;, 1;0;0;, 0;1;0;;", oneFace),
         D3DXERR_INVALIDDATA},
        {"huge vertex count", mesh("4294967295; 0;0;0;;", oneFace), D3DXERR_INVALIDDATA},
        {"huge face count", mesh(triangle, "4000000000; 3;0,1,2;;"), D3DXERR_INVALIDDATA},
        {"face index past the vertices", mesh(triangle, "1; 3;0,1,3;;"), D3DXERR_INVALIDDATA},
        {"face of two corners", mesh(triangle, "1; 2;0,1;;"), D3DXERR_INVALIDDATA},
        {"negative index", mesh(triangle, "1; 3;0,-1,2;;"), D3DXERR_INVALIDDATA},
        {"normal faces fewer than faces", mesh(triangle, oneFace, "MeshNormals { 1; 0;0;1;; 0;; }"),
         D3DXERR_INVALIDDATA},
        {"normal face of another size",
         mesh(triangle, oneFace, "MeshNormals { 1; 0;0;1;; 1; 4;0,0,0,0;; }"), D3DXERR_INVALIDDATA},
        {"normal index past the normals",
         mesh(triangle, oneFace, "MeshNormals { 1; 0;0;1;; 1; 3;0,0,1;; }"), D3DXERR_INVALIDDATA},
        {"two normal lists",
         mesh(triangle, oneFace,
              "MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; } MeshNormals { 1; 0;0;1;; 1; 3;0,0,0;; }"),
         D3DXERR_INVALIDDATA},
        {"texture coordinates for fewer vertices",
         mesh(triangle, oneFace, "MeshTextureCoords { 2; 0;0;, 1;1;; }"), D3DXERR_INVALIDDATA},
        {"material index past the materials",
         mesh(triangle, oneFace,
              "MeshMaterialList { 1; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }"),
         D3DXERR_INVALIDDATA},
        {"fewer materials than declared",
         mesh(triangle, oneFace,
              "MeshMaterialList { 2; 1; 1;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }"),
         D3DXERR_INVALIDDATA},
        {"more material indices than faces",
         mesh(triangle, oneFace,
              "MeshMaterialList { 1; 2; 0,0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } }"),
         D3DXERR_INVALIDDATA},
        {"unknown material reference",
         mesh(triangle, oneFace, "MeshMaterialList { 1; 1; 0;; { Nowhere } }"),
         D3DXERR_INVALIDDATA},
        {"material short of numbers",
         mesh(triangle, oneFace, "MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; } }"),
         D3DXERR_INVALIDDATA},
        {"unterminated texture name",
         mesh(triangle, oneFace,
              "MeshMaterialList { 1; 1; 0;; Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; "
              "TextureFilename { \"a.png; } } }"),
         D3DXERR_INVALIDDATA},
        {"unclosed mesh", header + "Mesh { " + triangle + " " + oneFace, D3DXERR_INVALIDDATA},
        {"unclosed unknown object", header + "Header { 1; 0; 1; { { {", D3DXERR_INVALIDDATA},
        {"stray character", mesh(triangle, oneFace, "@"), D3DXERR_INVALIDDATA},
        {"not a number", mesh("3; 0;0;0;, 1;0;0;, 0;1.#QNAN0;0;;", oneFace), D3DXERR_INVALIDDATA},
        {"frames 100 deep", deepFrames, D3DXERR_INVALIDDATA},
        {"binary float list longer than the file",
         BinaryXWriter().Name("Mesh").Open().Integers({1}).Word(7).Dword(1000000).Bytes(),
         D3DXERR_INVALIDDATA},
        {"binary name longer than the file", BinaryXWriter().Word(1).Dword(0xFFFFFFF0u).Bytes(),
         D3DXERR_INVALIDDATA},
        {"binary unknown token", BinaryXWriter().Word(99).Bytes(), D3DXERR_INVALIDDATA},
        {"binary string without terminator",
         BinaryXWriter().Name("Header").Open().Word(2).Dword(1).Bytes() + "a", D3DXERR_INVALIDDATA},
        {"no mesh", header + "Material M { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; }",
         D3DXERR_LOADEDMESHASNODATA},
        {"compressed", "xof 0303tzip0032" + std::string(40, '\0'), E_NOTIMPL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Load(c.file), c.result) << c.what;
    EXPECT_EQ(Load(mesh(triangle, oneFace)), D3D_OK);
}

TEST_F(XMeshTest, DrawSubsetDrawsOnlyThatSubsetsFaces) {
    // Two triangles covering the left and the right half of clip space, in subsets 1 and 0.
    const std::string file =
        "xof 0303txt 0032\nMesh { 6; -1;1;0.5;, 0;1;0.5;, -1;-1;0.5;, 0;1;0.5;, 1;1;0.5;, "
        "1;-1;0.5;; 2; 3;0,1,2;, 3;3,4,5;; MeshMaterialList { 2; 2; 1,0;; "
        "Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } Material { 1;1;1;1;; 0; 0;0;0;; 0;0;0;; } } }\n";
    ID3DXMesh* mesh = nullptr;
    ASSERT_EQ(D3DXLoadMeshFromXInMemory(file.data(), static_cast<DWORD>(file.size()),
                                        D3DXMESH_MANAGED | D3DXMESH_32BIT, g_pd3dDevice, nullptr,
                                        nullptr, nullptr, nullptr, &mesh),
              D3D_OK);
    g_pd3dDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
    IDirect3DSurface9* target = framework->backBufferSurface;
    D3DSURFACE_DESC desc{};
    target->GetDesc(&desc);
    auto pixel = [&](bool right) {
        const auto pixels = ReadPixels(target);
        const UINT x = right ? desc.Width - 4 : 2;
        return pixels[static_cast<std::size_t>(desc.Height / 8) * desc.Width + x];
    };
    g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
    EXPECT_EQ(mesh->DrawSubset(0), D3D_OK);
    EXPECT_EQ(pixel(false), 0xFF000000u);
    EXPECT_EQ(pixel(true), 0xFFFFFFFFu);
    EXPECT_EQ(mesh->DrawSubset(7), D3D_OK); // no such subset: nothing to draw
    EXPECT_EQ(mesh->DrawSubset(1), D3D_OK);
    EXPECT_EQ(pixel(false), 0xFFFFFFFFu);
    mesh->Release();
}

// The generated cube: closed (every edge of two faces, once each way, where sides meet at
// equal positions), unit normals, and faces wound to face the way their normals point.
TEST_F(XMeshTest, TheGeneratedBevelledCubeIsClosedWithUnitNormals) {
    std::ifstream in(std::string(LUMENVALE_GENERATED_ROOT) + "/Data/bevelcube.x", std::ios::binary);
    const std::string file(std::istreambuf_iterator<char>(in), {});
    LoadedMesh mesh;
    ASSERT_EQ(Load(file, D3DXMESH_MANAGED | D3DXMESH_32BIT, &mesh), D3D_OK);
    ASSERT_EQ(mesh.materials.size(), 1u);
    ExpectColour(mesh.materials[0].MatD3D.Diffuse, {1, 1, 1, 1});
    ASSERT_GT(mesh.indices.size(), 0u);

    std::map<std::array<float, 3>, std::uint32_t> welded;
    std::vector<std::uint32_t> point;
    for (const Vertex& v : mesh.vertices) {
        const std::array<float, 3> p{v.position[0], v.position[1], v.position[2]};
        point.push_back(
            welded.try_emplace(p, static_cast<std::uint32_t>(welded.size())).first->second);
        const float length = std::sqrt(v.normal[0] * v.normal[0] + v.normal[1] * v.normal[1] +
                                       v.normal[2] * v.normal[2]);
        EXPECT_NEAR(length, 1.0f, 1e-5f);
        for (const float c : v.position)
            EXPECT_LE(std::fabs(c), 0.5f);
        EXPECT_GE(v.texCoord[0], 0.0f);
        EXPECT_LE(v.texCoord[1], 1.0f);
    }
    std::map<std::pair<std::uint32_t, std::uint32_t>, int> directedEdges;
    for (std::size_t face = 0; face < mesh.indices.size() / 3; ++face) {
        const std::uint32_t* corners = &mesh.indices[3 * face];
        for (int i = 0; i < 3; ++i)
            ++directedEdges[{point[corners[i]], point[corners[(i + 1) % 3]]}];
        // Clockwise seen from outside: the corners' cross product follows the normals.
        const Vertex& a = mesh.vertices[corners[0]];
        const Vertex& b = mesh.vertices[corners[1]];
        const Vertex& c = mesh.vertices[corners[2]];
        const float e1[3] = {b.position[0] - a.position[0], b.position[1] - a.position[1],
                             b.position[2] - a.position[2]};
        const float e2[3] = {c.position[0] - a.position[0], c.position[1] - a.position[1],
                             c.position[2] - a.position[2]};
        const float cross[3] = {e1[1] * e2[2] - e1[2] * e2[1], e1[2] * e2[0] - e1[0] * e2[2],
                                e1[0] * e2[1] - e1[1] * e2[0]};
        EXPECT_GT(cross[0] * a.normal[0] + cross[1] * a.normal[1] + cross[2] * a.normal[2], 0.0f)
            << "face " << face;
    }
    for (const auto& [edge, count] : directedEdges) {
        EXPECT_EQ(count, 1) << edge.first << "-" << edge.second;
        const auto reverse = directedEdges.find({edge.second, edge.first});
        EXPECT_TRUE(reverse != directedEdges.end() && reverse->second == 1)
            << edge.first << "-" << edge.second << " has no face on its other side";
    }
}

} // namespace
