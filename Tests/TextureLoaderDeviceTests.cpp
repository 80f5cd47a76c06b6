// The texture loaders on the device: the textures they make, their texels read back through
// LockRect, cube maps sampled in each direction, and the results of failed loads.
#include "DeviceFixture.h"
#include "ImageFileSupport.h"
#include "Platform/D3D9/CubeTexture.h"
#include "Platform/D3DX9/D3DXTexture.h"

#include <epoxy/gl.h>

#include <array>
#include <string>

namespace {

constexpr D3DCOLOR kFaceColours[6] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF,
                                      0xFFFFFF00, 0xFF00FFFF, 0xFFFF00FF};

// 3 x 5 RGBA pixels, every byte different.
std::vector<std::uint8_t> PixelsRgba() {
    std::vector<std::uint8_t> pixels;
    for (int i = 0; i < 3 * 5 * 4; ++i)
        pixels.push_back(static_cast<std::uint8_t>(i * 5 + 3));
    return pixels;
}

// A cube map of 4 x 4 faces, each of one colour.
FileBytes CubeMapFile() {
    DdsFile file;
    file.width = file.height = 4;
    file.caps2 = DdsFile::kCubeMap | DdsFile::kAllFaces;
    for (const D3DCOLOR colour : kFaceColours)
        for (int texel = 0; texel < 16; ++texel) {
            const FileBytes word = Words({colour});
            file.data.insert(file.data.end(), word.begin(), word.end());
        }
    return file.Bytes();
}

class TextureLoaderTest : public DeviceFixture {
protected:
    void SetUp() override { OpenFramework(); }

    // Loads as the effect loader does, with its filter pair.
    static HRESULT LoadForEffect(const FileBytes& file, DWORD filter, DWORD mipFilter,
                                 IDirect3DTexture9** texture, D3DXIMAGE_INFO* info = nullptr) {
        return D3DXCreateTextureFromFileInMemoryEx(
            g_pd3dDevice, file.data(), static_cast<UINT>(file.size()), D3DX_DEFAULT, D3DX_DEFAULT,
            0, 0, D3DFMT_FROM_FILE, D3DPOOL_MANAGED, filter, mipFilter, 0, info, nullptr, texture);
    }

    // The level's texels as 0xAARRGGBB, row by row, for a 32-bit format.
    template <typename Lock, typename Unlock>
    static std::vector<D3DCOLOR> ReadLevel(UINT width, UINT height, Lock lock, Unlock unlock) {
        D3DLOCKED_RECT locked{};
        EXPECT_EQ(lock(&locked), D3D_OK);
        std::vector<D3DCOLOR> texels;
        for (UINT y = 0; y < height; ++y)
            for (UINT x = 0; x < width; ++x) {
                const auto* p = static_cast<const std::uint8_t*>(locked.pBits) +
                                static_cast<std::ptrdiff_t>(y) * locked.Pitch + x * 4;
                texels.push_back(D3DCOLOR_ARGB(p[3], p[2], p[1], p[0]));
            }
        EXPECT_EQ(unlock(), D3D_OK);
        return texels;
    }

    static std::vector<D3DCOLOR> ReadLevel(IDirect3DTexture9* texture, UINT level) {
        D3DSURFACE_DESC desc{};
        EXPECT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
        return ReadLevel(
            desc.Width, desc.Height,
            [&](D3DLOCKED_RECT* locked) {
                return texture->LockRect(level, locked, nullptr, D3DLOCK_READONLY);
            },
            [&] { return texture->UnlockRect(level); });
    }

    // Draws six pixels of the back buffer's top row, pixel i sampling the cube map in the
    // direction of face i, and returns them.
    std::array<D3DCOLOR, 6> SampleFaces(IDirect3DCubeTexture9* cube) {
        static const char* vertexSource = "#version 330 core\n"
                                          "void main() {\n"
                                          "    vec2 p = vec2(gl_VertexID & 1, gl_VertexID >> 1);\n"
                                          "    gl_Position = vec4(p * 4.0 - 1.0, 0.0, 1.0);\n"
                                          "}\n";
        static const char* fragmentSource =
            "#version 330 core\n"
            "uniform samplerCube cube;\n"
            "out vec4 colour;\n"
            "const vec3 directions[6] = vec3[6](vec3(1, 0, 0), vec3(-1, 0, 0), vec3(0, 1, 0),\n"
            "                                   vec3(0, -1, 0), vec3(0, 0, 1), vec3(0, 0, -1));\n"
            "void main() {\n"
            "    int face = min(int(gl_FragCoord.x), 5);\n"
            "    colour = texture(cube, directions[face]);\n"
            "}\n";
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
        glBindTexture(GL_TEXTURE_CUBE_MAP, static_cast<CubeTexture*>(cube)->Storage().Name());
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
        glUniform1i(glGetUniformLocation(program, "cube"), 0);
        glDrawArrays(GL_TRIANGLES, 0, 3);
        glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
        glUseProgram(0);
        glDeleteVertexArrays(1, &vertexArray);
        glDeleteProgram(program);
        const std::vector<std::uint32_t> pixels = ReadPixels(framework->backBufferSurface);
        std::array<D3DCOLOR, 6> faces{};
        std::copy_n(pixels.begin(), 6, faces.begin());
        return faces;
    }
};

TEST_F(TextureLoaderTest, FilesBecomeTexturesOfTheRoundedSizeFormatAndWholeChain) {
    struct Case {
        std::string name;
        FileBytes file;
        UINT width, height, levels;
        D3DFORMAT format;
    };
    const std::vector<Case> cases = {
        {"RGBA PNG", EncodeImage(ImageWriter::Png, 3, 5, 4, PixelsRgba()), 4, 8, 4,
         D3DFMT_A8R8G8B8},
        {"RGB PNG", EncodeImage(ImageWriter::Png, 3, 5, 3, FileBytes(45, 9)), 4, 8, 4,
         D3DFMT_X8R8G8B8},
        {"grey PNG", EncodeImage(ImageWriter::Png, 16, 2, 1, FileBytes(32, 9)), 16, 2, 5,
         D3DFMT_L8},
        {"JPEG", EncodeImage(ImageWriter::Jpeg, 9, 9, 3, FileBytes(243, 9)), 16, 16, 5,
         D3DFMT_X8R8G8B8},
        {"cube map's first face", CubeMapFile(), 4, 4, 3, D3DFMT_A8R8G8B8},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        IDirect3DTexture9* texture = nullptr;
        ASSERT_EQ(LoadForEffect(c.file, D3DX_FILTER_NONE, D3DX_FILTER_NONE, &texture), D3D_OK);
        ASSERT_NE(texture, nullptr);
        EXPECT_EQ(texture->GetLevelCount(), c.levels);
        D3DSURFACE_DESC desc{};
        ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
        EXPECT_EQ(desc.Width, c.width);
        EXPECT_EQ(desc.Height, c.height);
        EXPECT_EQ(desc.Format, c.format);
        EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
        texture->Release();
    }
}

TEST_F(TextureLoaderTest, FilterNoneKeepsTheFileTexelsInTheTopLeftCorner) {
    const std::vector<std::uint8_t> pixels = PixelsRgba();
    D3DXIMAGE_INFO info{};
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(LoadForEffect(EncodeImage(ImageWriter::Png, 3, 5, 4, pixels), D3DX_FILTER_NONE,
                            D3DX_FILTER_NONE, &texture, &info),
              D3D_OK);
    EXPECT_EQ(info.Width, 3u);
    EXPECT_EQ(info.Height, 5u);
    EXPECT_EQ(info.Depth, 1u);
    EXPECT_EQ(info.MipLevels, 1u);
    EXPECT_EQ(info.Format, D3DFMT_A8R8G8B8);
    EXPECT_EQ(info.ResourceType, D3DRTYPE_TEXTURE);
    EXPECT_EQ(info.ImageFileFormat, D3DXIFF_PNG);

    const auto filePixel = [&](UINT x, UINT y) {
        const std::uint8_t* p = &pixels[(y * 3 + x) * 4];
        return D3DCOLOR_ARGB(p[3], p[0], p[1], p[2]);
    };
    const std::vector<D3DCOLOR> top = ReadLevel(texture, 0);
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 4; ++x)
            EXPECT_EQ(top[y * 4 + x], x < 3 && y < 5 ? filePixel(x, y) : 0u) << x << "," << y;
    const std::vector<D3DCOLOR> level1 = ReadLevel(texture, 1);
    for (UINT y = 0; y < 4; ++y)
        for (UINT x = 0; x < 2; ++x)
            EXPECT_EQ(level1[y * 2 + x], filePixel(x, y));
    texture->Release();
}

TEST_F(TextureLoaderTest, FilterLinearStretchesTheFileOverTheWholeTexture) {
    // One colour everywhere stays that colour at every texel and level once stretched.
    FileBytes pixels;
    for (int i = 0; i < 15; ++i)
        pixels.insert(pixels.end(), {0x20, 0x40, 0x80, 0xFF});
    const FileBytes png = EncodeImage(ImageWriter::Png, 3, 5, 4, pixels);
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(LoadForEffect(png, D3DX_FILTER_LINEAR, D3DX_FILTER_DITHER_DIFFUSION, &texture),
              D3D_OK);
    for (UINT level = 0; level < texture->GetLevelCount(); ++level) {
        SCOPED_TRACE(level);
        for (const D3DCOLOR texel : ReadLevel(texture, level))
            EXPECT_EQ(texel, 0xFF204080u);
    }
    texture->Release();
}

TEST_F(TextureLoaderTest, DefaultsMakeAManagedPowerOfTwoTextureWithTheWholeChain) {
    const FileBytes png = EncodeImage(ImageWriter::Png, 40, 30, 3, FileBytes(40 * 30 * 3, 7));
    IDirect3DTexture9* texture = nullptr;
    ASSERT_EQ(D3DXCreateTextureFromFileInMemory(g_pd3dDevice, png.data(),
                                                static_cast<UINT>(png.size()), &texture),
              D3D_OK);
    EXPECT_EQ(texture->GetLevelCount(), 7u); // 64 x 32 down to 1 x 1
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(texture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 64u);
    EXPECT_EQ(desc.Height, 32u);
    EXPECT_EQ(desc.Pool, D3DPOOL_MANAGED);
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    for (const D3DCOLOR texel : ReadLevel(texture, 6))
        EXPECT_EQ(texel, 0xFF070707u);
    texture->Release();
}

TEST_F(TextureLoaderTest, CubeMapFacesHoldTheirColoursAndSampleInTheirDirections) {
    const FileBytes file = CubeMapFile();
    IDirect3DCubeTexture9* cube = nullptr;
    ASSERT_EQ(D3DXCreateCubeTextureFromFileInMemory(g_pd3dDevice, file.data(),
                                                    static_cast<UINT>(file.size()), &cube),
              D3D_OK);
    ASSERT_NE(cube, nullptr);
    EXPECT_EQ(cube->GetLevelCount(), 3u);
    D3DSURFACE_DESC desc{};
    ASSERT_EQ(cube->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(desc.Width, 4u);
    EXPECT_EQ(desc.Format, D3DFMT_A8R8G8B8);
    for (UINT face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        const auto cubeFace = static_cast<D3DCUBEMAP_FACES>(face);
        const std::vector<D3DCOLOR> lowest = ReadLevel(
            1, 1,
            [&](D3DLOCKED_RECT* locked) {
                return cube->LockRect(cubeFace, 2, locked, nullptr, D3DLOCK_READONLY);
            },
            [&] { return cube->UnlockRect(cubeFace, 2); });
        EXPECT_EQ(lowest[0], kFaceColours[face]);
    }
    const std::array<D3DCOLOR, 6> sampled = SampleFaces(cube);
    for (UINT face = 0; face < 6; ++face)
        EXPECT_EQ(sampled[face], kFaceColours[face]) << face;
    cube->Release();
}

TEST_F(TextureLoaderTest, FailedLoadsReturnTheirResultAndNoTexture) {
    const FileBytes png = EncodeImage(ImageWriter::Png, 4, 4, 3, FileBytes(48, 1));
    const FileBytes garbage(64, 0x33);
    // A failure leaves no texture behind, even where the out pointer held one.
    IDirect3DTexture9* stale = nullptr;
    ASSERT_EQ(
        g_pd3dDevice->CreateTexture(1, 1, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &stale, nullptr),
        D3D_OK);
    const auto load = [&](const FileBytes& file, D3DPOOL pool, DWORD usage = 0) {
        IDirect3DTexture9* texture = stale;
        const HRESULT result = D3DXCreateTextureFromFileInMemoryEx(
            g_pd3dDevice, file.data(), static_cast<UINT>(file.size()), 0, 0, 0, usage,
            D3DFMT_FROM_FILE, pool, D3DX_DEFAULT, D3DX_DEFAULT, 0, nullptr, nullptr, &texture);
        if (FAILED(result)) {
            EXPECT_EQ(texture, nullptr);
        } else if (texture) {
            texture->Release();
        }
        return result;
    };
    EXPECT_EQ(load(garbage, D3DPOOL_MANAGED), D3DXERR_INVALIDDATA);
    EXPECT_EQ(load(FileBytes(png.begin(), png.begin() + 40), D3DPOOL_MANAGED), D3DXERR_INVALIDDATA);
    // A default-pool texture cannot be locked to be filled.
    EXPECT_EQ(load(png, D3DPOOL_DEFAULT), D3DERR_INVALIDCALL);
    EXPECT_EQ(load(png, D3DPOOL_DEFAULT, D3DUSAGE_DYNAMIC), D3D_OK);
    D3D9TestSeam::InjectResult("CreateTexture", D3DERR_OUTOFVIDEOMEMORY);
    EXPECT_EQ(load(png, D3DPOOL_MANAGED), D3DERR_OUTOFVIDEOMEMORY);
    stale->Release();

    IDirect3DCubeTexture9* cube = nullptr;
    EXPECT_EQ(D3DXCreateCubeTextureFromFileInMemory(g_pd3dDevice, png.data(),
                                                    static_cast<UINT>(png.size()), &cube),
              D3DXERR_INVALIDDATA);
    EXPECT_EQ(cube, nullptr);
    EXPECT_EQ(D3DXCreateTextureFromFileInMemory(nullptr, png.data(), static_cast<UINT>(png.size()),
                                                nullptr),
              D3DERR_INVALIDCALL);
}

} // namespace
