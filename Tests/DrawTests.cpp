// Drawing through the device layer: buffers, declarations and draws with the fixed-function
// stand-in or a program of the test's own, read back as pixels. Positions are Direct3D clip
// coordinates: y = 1 is the top of the target, z = 0 the near plane.
#include "DeviceFixture.h"
#include "Platform/D3D9/Device.h"
#include "Platform/D3DX9/GlslGenerator.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Vertex {
    float x, y, z;
    D3DCOLOR colour;
    float u, v;
};

constexpr D3DVERTEXELEMENT9 kLayout[] = {
    {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_POSITION, 0},
    {0, 12, D3DDECLTYPE_D3DCOLOR, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_COLOR, 0},
    {0, 16, D3DDECLTYPE_FLOAT2, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 0},
    D3DDECL_END(),
};

// A rectangle in clip coordinates as two triangles, clockwise as Direct3D sees them.
std::vector<Vertex> Rectangle(float left, float top, float right, float bottom, D3DCOLOR colour,
                              float z = 0.5f) {
    const Vertex topLeft{left, top, z, colour, 0, 0}, topRight{right, top, z, colour, 1, 0};
    const Vertex bottomRight{right, bottom, z, colour, 1, 1};
    const Vertex bottomLeft{left, bottom, z, colour, 0, 1};
    return {topLeft, topRight, bottomRight, topLeft, bottomRight, bottomLeft};
}

class DrawTest : public DeviceFixture {
protected:
    void SetUp() override {
        OpenFramework();
        ASSERT_EQ(g_pd3dDevice->CreateVertexDeclaration(kLayout, &declaration), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET,
                                              D3DFMT_A8R8G8B8, D3DPOOL_DEFAULT, &targetTexture,
                                              nullptr),
                  D3D_OK);
        ASSERT_EQ(targetTexture->GetSurfaceLevel(0, &target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderTarget(0, target), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
    }

    void TearDown() override {
        g_pd3dDevice->SetRenderTarget(0, framework->backBufferSurface);
        for (Unknown* object :
             std::initializer_list<Unknown*>{buffer, target, targetTexture, declaration})
            if (object) object->Release();
        DeviceFixture::TearDown();
    }

    // Fills the vertex buffer and binds it with the declaration.
    void Upload(const std::vector<Vertex>& vertices) {
        if (buffer) buffer->Release();
        const UINT bytes = static_cast<UINT>(vertices.size() * sizeof(Vertex));
        ASSERT_EQ(g_pd3dDevice->CreateVertexBuffer(bytes, D3DUSAGE_WRITEONLY, 0, D3DPOOL_DEFAULT,
                                                   &buffer, nullptr),
                  D3D_OK);
        void* data = nullptr;
        ASSERT_EQ(buffer->Lock(0, 0, &data, 0), D3D_OK);
        std::memcpy(data, vertices.data(), bytes);
        ASSERT_EQ(buffer->Unlock(), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetVertexDeclaration(declaration), D3D_OK);
        ASSERT_EQ(g_pd3dDevice->SetStreamSource(0, buffer, 0, sizeof(Vertex)), D3D_OK);
    }

    void Draw(const std::vector<Vertex>& vertices) {
        Upload(vertices);
        ASSERT_EQ(g_pd3dDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0,
                                              static_cast<UINT>(vertices.size() / 3)),
                  D3D_OK);
    }

    std::uint32_t Pixel(int x, int y) { return ReadPixels(target)[y * kSize + x]; }

    static GLuint Link(const std::string& vertexSource, const std::string& fragmentSource) {
        const GLuint program = glCreateProgram();
        for (const auto& [stage, text] : {std::pair{GL_VERTEX_SHADER, vertexSource},
                                          std::pair{GL_FRAGMENT_SHADER, fragmentSource}}) {
            const GLuint shader = glCreateShader(stage);
            const char* source = text.c_str();
            glShaderSource(shader, 1, &source, nullptr);
            glCompileShader(shader);
            glAttachShader(program, shader);
            glDeleteShader(shader);
        }
        glLinkProgram(program);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
        return program;
    }

    static constexpr int kSize = 16;
    IDirect3DVertexDeclaration9* declaration = nullptr;
    IDirect3DTexture9* targetTexture = nullptr;
    IDirect3DSurface9* target = nullptr;
    IDirect3DVertexBuffer9* buffer = nullptr;
};

constexpr const char* kPassThroughVertex = R"(#version 330 core
layout(location = 0) in vec4 position;
layout(location = 8) in vec2 texCoord;
out vec2 vTexCoord;
void main() {
    gl_Position = vec4(position.x, -position.y, 2.0 * position.z - 1.0, 1.0);
    vTexCoord = texCoord;
}
)";

TEST_F(DrawTest, TheTopOfClipSpaceIsRowZeroAndBlitsUpright) {
    Draw(Rectangle(-1, 1, 1, 0, 0xFFFF0000)); // the upper half
    EXPECT_EQ(Pixel(8, 2), 0xFFFF0000u);
    EXPECT_EQ(Pixel(8, 13), 0xFF000000u);

    IDirect3DSurface9* back = framework->backBufferSurface;
    const RECT destination{0, 0, 32, 32};
    ASSERT_EQ(g_pd3dDevice->StretchRect(target, nullptr, back, &destination, D3DTEXF_POINT),
              D3D_OK);
    D3DSURFACE_DESC desc{};
    back->GetDesc(&desc);
    const std::vector<std::uint32_t> pixels = ReadPixels(back);
    EXPECT_EQ(pixels[4 * desc.Width + 16], 0xFFFF0000u);
    EXPECT_EQ(pixels[28 * desc.Width + 16], 0xFF000000u);
}

TEST_F(DrawTest, CullModesFollowDirect3DsWinding) {
    const std::vector<Vertex> clockwise = Rectangle(-1, 1, 1, -1, 0xFFFFFFFF);
    const std::vector<Vertex> counterClockwise(clockwise.rbegin(), clockwise.rend());
    struct Case {
        DWORD cull;
        bool clockwiseDrawn, counterClockwiseDrawn;
    };
    for (const Case c : {Case{D3DCULL_CCW, true, false}, Case{D3DCULL_CW, false, true},
                         Case{D3DCULL_NONE, true, true}}) {
        SCOPED_TRACE(c.cull);
        ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_CULLMODE, c.cull), D3D_OK);
        for (const auto& [vertices, drawn] :
             {std::pair{clockwise, c.clockwiseDrawn},
              std::pair{counterClockwise, c.counterClockwiseDrawn}}) {
            g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF000000, 1.0f, 0);
            Draw(vertices);
            EXPECT_EQ(Pixel(8, 8), drawn ? 0xFFFFFFFFu : 0xFF000000u);
        }
    }
}

TEST_F(DrawTest, StageZeroTextureIsSampledWithRowZeroAtTheTop) {
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateTexture(2, 2, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture,
                                          nullptr),
              D3D_OK);
    D3DLOCKED_RECT locked{};
    ASSERT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
    const std::uint32_t texels[4] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFF00};
    for (int row = 0; row < 2; ++row)
        std::memcpy(static_cast<std::uint8_t*>(locked.pBits) + row * locked.Pitch, texels + row * 2,
                    8);
    ASSERT_EQ(texture->UnlockRect(0), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetTexture(0, texture), D3D_OK);
    Draw(Rectangle(-1, 1, 1, -1, 0xFFFFFFFF));
    EXPECT_EQ(Pixel(2, 2), texels[0]);
    EXPECT_EQ(Pixel(13, 2), texels[1]);
    EXPECT_EQ(Pixel(2, 13), texels[2]);
    EXPECT_EQ(Pixel(13, 13), texels[3]);

    // The vertex colour modulates the texel; without a texture it is the colour alone.
    Draw(Rectangle(-1, 1, 1, -1, 0xFF808080));
    EXPECT_EQ(Pixel(2, 2), 0xFF800000u);
    ASSERT_EQ(g_pd3dDevice->SetTexture(0, nullptr), D3D_OK);
    Draw(Rectangle(-1, 1, 1, -1, 0xFF204060));
    EXPECT_EQ(Pixel(2, 2), 0xFF204060u);
    texture->Release();
}

TEST_F(DrawTest, BlendAndDepthStatesApply) {
    ASSERT_EQ(g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET, 0xFF0000FF, 1.0f, 0), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA), D3D_OK);
    Draw(Rectangle(-1, 1, 1, -1, 0x80FF0000));
    const std::uint32_t mixed = Pixel(8, 8);
    EXPECT_NEAR(static_cast<int>((mixed >> 16) & 0xFF), 0x80, 2);
    EXPECT_NEAR(static_cast<int>(mixed & 0xFF), 0x7F, 2);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE), D3D_OK);

    ASSERT_EQ(g_pd3dDevice->SetDepthStencilSurface(framework->plainDepthSurface), D3D_OK);
    ASSERT_EQ(
        g_pd3dDevice->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0),
        D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_TRUE), D3D_OK);
    Draw(Rectangle(-1, 1, 1, -1, 0xFFFF0000, 0.25f)); // near
    Draw(Rectangle(-1, 1, 0, -1, 0xFF00FF00, 0.75f)); // farther, left half: hidden
    Draw(Rectangle(0, 1, 1, -1, 0xFF0000FF, 0.10f));  // nearer, right half: drawn
    EXPECT_EQ(Pixel(4, 8), 0xFFFF0000u);
    EXPECT_EQ(Pixel(12, 8), 0xFF0000FFu);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_ZWRITEENABLE, FALSE), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetRenderState(D3DRS_ZFUNC, D3DCMP_ALWAYS), D3D_OK);
    Draw(Rectangle(-1, 1, 1, -1, 0xFF00FF00, 0.9f));
    EXPECT_EQ(Pixel(4, 8), 0xFF00FF00u);
    g_pd3dDevice->SetRenderState(D3DRS_ZENABLE, D3DZB_FALSE);
}

TEST_F(DrawTest, IndexedDrawsUseTheBaseVertexAndStartIndex) {
    std::vector<Vertex> vertices = Rectangle(-1, 1, 1, -1, 0xFFFFFFFF); // unused first six
    const std::vector<Vertex> right = Rectangle(0, 1, 1, -1, 0xFF00FF00);
    vertices.push_back(right[0]);
    vertices.push_back(right[1]);
    vertices.push_back(right[2]);
    vertices.push_back(right[5]);
    Upload(vertices);
    IDirect3DIndexBuffer9* indices = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateIndexBuffer(9 * 2, 0, D3DFMT_INDEX16, D3DPOOL_DEFAULT, &indices,
                                              nullptr),
              D3D_OK);
    void* data = nullptr;
    ASSERT_EQ(indices->Lock(0, 0, &data, 0), D3D_OK);
    const std::uint16_t values[9] = {5, 5, 5, 0, 1, 2, 0, 2, 3};
    std::memcpy(data, values, sizeof values);
    ASSERT_EQ(indices->Unlock(), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetIndices(indices), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 6, 0, 4, 3, 2), D3D_OK);
    EXPECT_EQ(Pixel(12, 8), 0xFF00FF00u);
    EXPECT_EQ(Pixel(3, 8), 0xFF000000u);
    // Indices past the end of the buffer are refused.
    EXPECT_EQ(g_pd3dDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 6, 0, 4, 3, 3),
              D3DERR_INVALIDCALL);
    g_pd3dDevice->SetIndices(nullptr);
    indices->Release();
}

TEST_F(DrawTest, OcclusionQueriesCountTheSamplesDrawn) {
    IDirect3DQuery9* query = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateQuery(D3DQUERYTYPE_OCCLUSION, nullptr), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->CreateQuery(D3DQUERYTYPE_OCCLUSION, &query), D3D_OK);
    DWORD samples = 0;
    EXPECT_EQ(query->GetData(&samples, sizeof samples, D3DGETDATA_FLUSH), D3DERR_INVALIDCALL);
    ASSERT_EQ(query->Issue(D3DISSUE_BEGIN), D3D_OK);
    Draw(Rectangle(-1, 1, 0, 0, 0xFFFFFFFF)); // a quarter of 16 x 16
    ASSERT_EQ(query->Issue(D3DISSUE_END), D3D_OK);
    HRESULT result = S_FALSE;
    while ((result = query->GetData(&samples, sizeof samples, D3DGETDATA_FLUSH)) == S_FALSE) {
    }
    EXPECT_EQ(result, S_OK);
    EXPECT_EQ(samples, 64u);
    query->Release();
}

TEST_F(DrawTest, AProgramWritesSeveralTargetsAtOnce) {
    IDirect3DTexture9* secondTexture = nullptr;
    ASSERT_EQ(g_pd3dDevice->CreateTexture(kSize, kSize, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R32F,
                                          D3DPOOL_DEFAULT, &secondTexture, nullptr),
              D3D_OK);
    IDirect3DSurface9* second = nullptr;
    ASSERT_EQ(secondTexture->GetSurfaceLevel(0, &second), D3D_OK);
    ASSERT_EQ(g_pd3dDevice->SetRenderTarget(1, second), D3D_OK);
    const GLuint program = Link(kPassThroughVertex, R"(#version 330 core
layout(location = 0) out vec4 colour0;
layout(location = 1) out vec4 colour1;
void main() { colour0 = vec4(0.0, 1.0, 0.0, 1.0); colour1 = vec4(0.25, 0.0, 0.0, 1.0); }
)");
    static_cast<Device*>(g_pd3dDevice)->UseProgram(program);
    Draw(Rectangle(-1, 1, 1, -1, 0));
    static_cast<Device*>(g_pd3dDevice)->UseProgram(0);
    ASSERT_EQ(g_pd3dDevice->SetRenderTarget(1, nullptr), D3D_OK);
    EXPECT_EQ(Pixel(8, 8), 0xFF00FF00u);
    EXPECT_NEAR(static_cast<int>((ReadPixels(second)[8] >> 16) & 0xFF), 64, 1);
    glDeleteProgram(program);
    second->Release();
    secondTexture->Release();
}

TEST_F(DrawTest, CubeTexturesSampleTheFaceTheDirectionPoints) {
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(
        g_pd3dDevice->CreateCubeTexture(4, 1, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &cube, nullptr),
        D3D_OK);
    for (int face = 0; face < 6; ++face) {
        D3DLOCKED_RECT locked{};
        ASSERT_EQ(cube->LockRect(static_cast<D3DCUBEMAP_FACES>(face), 0, &locked, nullptr, 0),
                  D3D_OK);
        for (int texel = 0; texel < 16; ++texel)
            static_cast<std::uint32_t*>(locked.pBits)[texel] = 0xFF000000u | (40u * (face + 1));
        ASSERT_EQ(cube->UnlockRect(static_cast<D3DCUBEMAP_FACES>(face), 0), D3D_OK);
    }
    ASSERT_EQ(g_pd3dDevice->SetTexture(2, cube), D3D_OK);
    const GLuint program = Link(kPassThroughVertex, R"(#version 330 core
uniform samplerCube cube;
uniform vec3 direction;
out vec4 colour;
void main() { colour = texture(cube, direction); }
)");
    static_cast<Device*>(g_pd3dDevice)->UseProgram(program);
    glUniform1i(glGetUniformLocation(program, "cube"), 2);
    const float directions[6][3] = {{1, 0, 0},  {-1, 0, 0}, {0, 1, 0},
                                    {0, -1, 0}, {0, 0, 1},  {0, 0, -1}};
    for (int face = 0; face < 6; ++face) {
        glUniform3fv(glGetUniformLocation(program, "direction"), 1, directions[face]);
        Draw(Rectangle(-1, 1, 1, -1, 0));
        EXPECT_EQ(Pixel(8, 8), 0xFF000000u | (40u * (face + 1))) << "face " << face;
    }
    static_cast<Device*>(g_pd3dDevice)->UseProgram(0);
    glDeleteProgram(program);
    g_pd3dDevice->SetTexture(2, nullptr);
    cube->Release();
}

TEST_F(DrawTest, InvalidDrawsAndDeclarationsAreRefused) {
    EXPECT_EQ(g_pd3dDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
    Upload(Rectangle(-1, 1, 1, -1, 0xFFFFFFFF));
    ASSERT_EQ(g_pd3dDevice->SetStreamSource(0, nullptr, 0, 0), D3D_OK);
    EXPECT_EQ(g_pd3dDevice->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(g_pd3dDevice->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 0, 3, 0, 1),
              D3DERR_INVALIDCALL); // no indices

    const D3DVERTEXELEMENT9 unknownUsage[] = {
        {0, 0, D3DDECLTYPE_FLOAT3, D3DDECLMETHOD_DEFAULT, D3DDECLUSAGE_TEXCOORD, 8}, D3DDECL_END()};
    IDirect3DVertexDeclaration9* refused = nullptr;
    EXPECT_EQ(g_pd3dDevice->CreateVertexDeclaration(unknownUsage, &refused), D3DERR_INVALIDCALL);
    EXPECT_EQ(refused, nullptr);
    D3DVERTEXELEMENT9 elements[MAXD3DDECLLENGTH] = {};
    UINT count = 0;
    ASSERT_EQ(declaration->GetDeclaration(elements, &count), D3D_OK);
    EXPECT_EQ(count, 4u);
    EXPECT_EQ(elements[1].Offset, 12);

    void* data = nullptr;
    EXPECT_EQ(buffer->Lock(8, 1000, &data, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(buffer->Lock(8, 0, &data, D3DLOCK_DISCARD), D3D_OK);
    EXPECT_EQ(buffer->Lock(0, 0, &data, 0), D3DERR_INVALIDCALL); // already locked
    EXPECT_EQ(buffer->Unlock(), D3D_OK);
    EXPECT_EQ(buffer->Unlock(), D3DERR_INVALIDCALL);
}

} // namespace

namespace {

// The effect compiler and the declarations must put every input at the same location.
TEST(AttributeLocations, DeclarationsAndEffectProgramsAgree) {
    struct Case {
        const char* semantic;
        BYTE usage, index;
    };
    const Case cases[] = {
        {"POSITION", D3DDECLUSAGE_POSITION, 0},  {"BLENDWEIGHT", D3DDECLUSAGE_BLENDWEIGHT, 0},
        {"NORMAL", D3DDECLUSAGE_NORMAL, 0},      {"COLOR0", D3DDECLUSAGE_COLOR, 0},
        {"COLOR1", D3DDECLUSAGE_COLOR, 1},       {"FOG", D3DDECLUSAGE_FOG, 0},
        {"PSIZE", D3DDECLUSAGE_PSIZE, 0},        {"BLENDINDICES", D3DDECLUSAGE_BLENDINDICES, 0},
        {"TEXCOORD0", D3DDECLUSAGE_TEXCOORD, 0}, {"TEXCOORD7", D3DDECLUSAGE_TEXCOORD, 7},
        {"TANGENT", D3DDECLUSAGE_TANGENT, 0},    {"BINORMAL", D3DDECLUSAGE_BINORMAL, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GlslGenerator::AttributeLocation(c.semantic),
                  VertexDeclaration::AttributeLocation(c.usage, c.index))
            << c.semantic;
}

} // namespace
