// Volume textures of the device layer: creation checks, mip levels, lock pitches and boxes,
// the round trip of texels through GL, and what sampling returns for each format.
#include "DeviceFixture.h"
#include "Platform/D3D9/VolumeTexture.h"

#include <epoxy/gl.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class VolumeTextureTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }

    IDirect3DVolumeTexture9* Create(UINT width, UINT height, UINT depth, UINT levels,
                                    D3DFORMAT format, DWORD usage = D3DUSAGE_DYNAMIC,
                                    D3DPOOL pool = D3DPOOL_DEFAULT) {
        IDirect3DVolumeTexture9* texture = nullptr;
        EXPECT_EQ(g_pd3dDevice->CreateVolumeTexture(width, height, depth, levels, usage, format,
                                                    pool, &texture, nullptr),
                  D3D_OK);
        return texture;
    }

    // Draws one pixel sampling the middle of the texture and returns its colour, 0xAARRGGBB.
    D3DCOLOR Sample(IDirect3DVolumeTexture9* texture) {
        static const char* vertexSource = "#version 330 core\n"
                                          "void main() {\n"
                                          "    vec2 p = vec2(gl_VertexID & 1, gl_VertexID >> 1);\n"
                                          "    gl_Position = vec4(p * 4.0 - 1.0, 0.0, 1.0);\n"
                                          "}\n";
        static const char* fragmentSource =
            "#version 330 core\n"
            "uniform sampler3D volume;\n"
            "out vec4 colour;\n"
            "void main() { colour = texture(volume, vec3(0.5)); }\n";
        const GLuint program = glCreateProgram();
        for (const auto& [type, source] : {std::pair{GL_VERTEX_SHADER, vertexSource},
                                           std::pair{GL_FRAGMENT_SHADER, fragmentSource}}) {
            const GLuint shader = glCreateShader(type);
            glShaderSource(shader, 1, &source, nullptr);
            glCompileShader(shader);
            glAttachShader(program, shader);
            glDeleteShader(shader);
        }
        glLinkProgram(program);
        GLint linked = GL_FALSE;
        glGetProgramiv(program, GL_LINK_STATUS, &linked);
        EXPECT_EQ(linked, GL_TRUE);
        GLuint vertexArray = 0;
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        glUseProgram(program);
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_3D, static_cast<VolumeTexture*>(texture)->Texture());
        glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_3D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glUniform1i(glGetUniformLocation(program, "volume"), 0);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glBindTexture(GL_TEXTURE_3D, 0);
        glUseProgram(0);
        glDeleteVertexArrays(1, &vertexArray);
        glDeleteProgram(program);
        return ReadPixels(framework->backBufferSurface)[0];
    }
};

TEST_F(VolumeTextureTest, FormatsLockWithTheirTexelSizeAndKeepTheirTexels) {
    struct Case {
        D3DFORMAT format;
        int bytesPerTexel;
    };
    for (const Case c : {Case{D3DFMT_L8, 1}, Case{D3DFMT_A8, 1}, Case{D3DFMT_A8R8G8B8, 4},
                         Case{D3DFMT_X8R8G8B8, 4}}) {
        SCOPED_TRACE(c.format);
        IDirect3DVolumeTexture9* texture = Create(5, 3, 2, 1, c.format);
        ASSERT_NE(texture, nullptr);
        D3DLOCKED_BOX box{};
        ASSERT_EQ(texture->LockBox(0, &box, nullptr, D3DLOCK_DISCARD), D3D_OK);
        EXPECT_EQ(box.RowPitch, 5 * c.bytesPerTexel);
        EXPECT_EQ(box.SlicePitch, 15 * c.bytesPerTexel);
        std::vector<std::uint8_t> written(static_cast<size_t>(box.SlicePitch) * 2);
        for (size_t i = 0; i < written.size(); ++i)
            written[i] = static_cast<std::uint8_t>(i * 37 + 11);
        std::memcpy(box.pBits, written.data(), written.size());
        ASSERT_EQ(texture->UnlockBox(0), D3D_OK);

        ASSERT_EQ(texture->LockBox(0, &box, nullptr, D3DLOCK_READONLY), D3D_OK);
        EXPECT_EQ(std::memcmp(box.pBits, written.data(), written.size()), 0);
        ASSERT_EQ(texture->UnlockBox(0), D3D_OK);
        texture->Release();
    }
}

TEST_F(VolumeTextureTest, ABoxLockPointsAtItsFirstTexel) {
    IDirect3DVolumeTexture9* texture = Create(4, 4, 4, 1, D3DFMT_A8R8G8B8, 0, D3DPOOL_MANAGED);
    ASSERT_NE(texture, nullptr);
    D3DLOCKED_BOX whole{}, part{};
    ASSERT_EQ(texture->LockBox(0, &whole, nullptr, 0), D3D_OK);
    ASSERT_EQ(texture->UnlockBox(0), D3D_OK);
    const D3DBOX box{1, 2, 3, 4, 3, 4};
    ASSERT_EQ(texture->LockBox(0, &part, &box, 0), D3D_OK);
    EXPECT_EQ(part.RowPitch, 16);
    EXPECT_EQ(part.SlicePitch, 64);
    std::memset(part.pBits, 0xAB, 8); // texels (1, 2, 3) and (2, 2, 3)
    ASSERT_EQ(texture->UnlockBox(0), D3D_OK);
    ASSERT_EQ(texture->LockBox(0, &whole, nullptr, D3DLOCK_READONLY), D3D_OK);
    const auto* bytes = static_cast<const std::uint8_t*>(whole.pBits);
    EXPECT_EQ(bytes[3 * 64 + 2 * 16 + 1 * 4], 0xAB);
    EXPECT_EQ(bytes[3 * 64 + 2 * 16 + 3 * 4 - 1], 0xAB);
    ASSERT_EQ(texture->UnlockBox(0), D3D_OK);
    texture->Release();
}

TEST_F(VolumeTextureTest, LevelsZeroMakesTheWholeChain) {
    IDirect3DVolumeTexture9* texture = Create(8, 4, 2, 0, D3DFMT_L8);
    ASSERT_NE(texture, nullptr);
    ASSERT_EQ(texture->GetLevelCount(), 4u);
    const UINT expected[][3] = {{8, 4, 2}, {4, 2, 1}, {2, 1, 1}, {1, 1, 1}};
    for (UINT level = 0; level < 4; ++level) {
        D3DVOLUME_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
        EXPECT_EQ(desc.Width, expected[level][0]);
        EXPECT_EQ(desc.Height, expected[level][1]);
        EXPECT_EQ(desc.Depth, expected[level][2]);
        EXPECT_EQ(desc.Format, D3DFMT_L8);
        EXPECT_EQ(desc.Usage, D3DUSAGE_DYNAMIC);
        D3DLOCKED_BOX box{};
        ASSERT_EQ(texture->LockBox(level, &box, nullptr, D3DLOCK_DISCARD), D3D_OK);
        EXPECT_EQ(box.RowPitch, static_cast<int>(expected[level][0]));
        ASSERT_EQ(texture->UnlockBox(level), D3D_OK);
    }
    D3DVOLUME_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(4, &desc), D3DERR_INVALIDCALL);
    texture->Release();
}

TEST_F(VolumeTextureTest, InvalidCallsAreRefused) {
    IDirect3DVolumeTexture9* texture = nullptr;
    struct Case {
        UINT width, levels;
        DWORD usage;
        D3DFORMAT format;
    };
    for (const Case c :
         {Case{0, 1, 0, D3DFMT_L8}, Case{4, 4, 0, D3DFMT_L8}, Case{4, 1, 0, D3DFMT_R5G6B5},
          Case{4, 1, D3DUSAGE_RENDERTARGET, D3DFMT_L8}})
        EXPECT_EQ(g_pd3dDevice->CreateVolumeTexture(c.width, 4, 4, c.levels, c.usage, c.format,
                                                    D3DPOOL_DEFAULT, &texture, nullptr),
                  D3DERR_INVALIDCALL);
    EXPECT_EQ(texture, nullptr);

    D3D9TestSeam::InjectResult("CreateVolumeTexture", D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(g_pd3dDevice->CreateVolumeTexture(4, 4, 4, 1, 0, D3DFMT_L8, D3DPOOL_DEFAULT, &texture,
                                                nullptr),
              D3DERR_OUTOFVIDEOMEMORY);

    // A default-pool texture that is not dynamic lives in video memory only.
    IDirect3DVolumeTexture9* fixed = Create(4, 4, 4, 1, D3DFMT_L8, 0);
    D3DLOCKED_BOX box{};
    EXPECT_EQ(fixed->LockBox(0, &box, nullptr, 0), D3DERR_INVALIDCALL);
    fixed->Release();

    IDirect3DVolumeTexture9* dynamic = Create(4, 4, 4, 1, D3DFMT_L8);
    EXPECT_EQ(dynamic->UnlockBox(0), D3DERR_INVALIDCALL);
    const D3DBOX outside{0, 0, 5, 4, 0, 4};
    EXPECT_EQ(dynamic->LockBox(0, &box, &outside, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(dynamic->LockBox(1, &box, nullptr, 0), D3DERR_INVALIDCALL);
    ASSERT_EQ(dynamic->LockBox(0, &box, nullptr, 0), D3D_OK);
    EXPECT_EQ(dynamic->LockBox(0, &box, nullptr, 0), D3DERR_INVALIDCALL);
    EXPECT_EQ(dynamic->UnlockBox(0), D3D_OK);
    dynamic->Release();
}

TEST_F(VolumeTextureTest, SamplingReturnsWhatDirect3DReturns) {
    struct Case {
        D3DFORMAT format;
        std::vector<std::uint8_t> texel; // as locked: B, G, R, A for the 32-bit formats
        D3DCOLOR sampled;
    };
    const Case cases[] = {
        {D3DFMT_L8, {0x80}, 0xFF808080},
        {D3DFMT_A8, {0x80}, 0x80000000},
        {D3DFMT_A8R8G8B8, {0x10, 0x20, 0x30, 0x40}, 0x40302010},
        {D3DFMT_X8R8G8B8, {0x10, 0x20, 0x30, 0x40}, 0xFF302010},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        IDirect3DVolumeTexture9* texture = Create(1, 1, 1, 1, c.format);
        D3DLOCKED_BOX box{};
        ASSERT_EQ(texture->LockBox(0, &box, nullptr, D3DLOCK_DISCARD), D3D_OK);
        std::memcpy(box.pBits, c.texel.data(), c.texel.size());
        ASSERT_EQ(texture->UnlockBox(0), D3D_OK);
        EXPECT_EQ(Sample(texture), c.sampled);
        texture->Release();
    }
}

} // namespace
