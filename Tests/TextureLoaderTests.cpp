// The texture loaders' CPU side: decoding each file format, rejecting damaged files, choosing
// the texture's layout, the filters, the mip chains and the texel formats written.
#include "ImageFileSupport.h"
#include "Platform/D3DX9/ImageDecoder.h"
#include "Platform/D3DX9/ImageResampler.h"
#include "Platform/D3DX9/MipChain.h"
#include "Platform/D3DX9/TexelWriter.h"
#include "Platform/D3DX9/TextureContents.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using Texel = TextureImage::Texel;

void ExpectTexel(const Texel& actual, const Texel& expected, float tolerance = 1e-5f) {
    for (int c = 0; c < 4; ++c)
        EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c;
}

TextureImage Row(std::initializer_list<Texel> texels) {
    TextureImage image(static_cast<UINT>(texels.size()), 1);
    std::copy(texels.begin(), texels.end(), image.texels.begin());
    return image;
}

// A w x h image whose texel (x, y) is (x, y, x + y, 1) / 16: every texel differs.
TextureImage Ramp(UINT width, UINT height) {
    TextureImage image(width, height);
    for (UINT y = 0; y < height; ++y)
        for (UINT x = 0; x < width; ++x)
            image.At(x, y) = {x / 16.0f, y / 16.0f, (x + y) / 16.0f, 1};
    return image;
}

std::vector<std::uint8_t> RampBytes(int width, int height, int channels) {
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < width * height * channels; ++i)
        bytes.push_back(static_cast<std::uint8_t>(i * 37 + 11));
    return bytes;
}

FileBytes Png(int width, int height, int channels) {
    return EncodeImage(ImageWriter::Png, width, height, channels,
                       RampBytes(width, height, channels));
}

TEST(ImageDecoderTest, DecodesEachFileKindWithItsFormatAndTexels) {
    struct Case {
        ImageWriter writer;
        int channels;
        D3DXIMAGE_FILEFORMAT fileFormat;
        D3DFORMAT format;
        float tolerance; // JPEG is lossy
    };
    for (const Case c : {Case{ImageWriter::Png, 1, D3DXIFF_PNG, D3DFMT_L8, 0},
                         Case{ImageWriter::Png, 2, D3DXIFF_PNG, D3DFMT_A8R8G8B8, 0},
                         Case{ImageWriter::Png, 3, D3DXIFF_PNG, D3DFMT_R8G8B8, 0},
                         Case{ImageWriter::Png, 4, D3DXIFF_PNG, D3DFMT_A8R8G8B8, 0},
                         Case{ImageWriter::Tga, 3, D3DXIFF_TGA, D3DFMT_R8G8B8, 0},
                         Case{ImageWriter::Tga, 4, D3DXIFF_TGA, D3DFMT_A8R8G8B8, 0},
                         Case{ImageWriter::Bmp, 3, D3DXIFF_BMP, D3DFMT_R8G8B8, 0},
                         Case{ImageWriter::Jpeg, 3, D3DXIFF_JPG, D3DFMT_R8G8B8, 0.05f}}) {
        SCOPED_TRACE(testing::Message() << "writer " << static_cast<int>(c.writer) << ", "
                                        << c.channels << " channels");
        // JPEG gets flat colour, which it keeps within rounding.
        const bool jpeg = c.writer == ImageWriter::Jpeg;
        const std::vector<std::uint8_t> pixels =
            jpeg ? std::vector<std::uint8_t>(3 * 5 * 3, 200) : RampBytes(3, 5, c.channels);
        const auto image = DecodeImageFile(EncodeImage(c.writer, 3, 5, c.channels, pixels));
        ASSERT_TRUE(image);
        EXPECT_EQ(image->info.Width, 3u);
        EXPECT_EQ(image->info.Height, 5u);
        EXPECT_EQ(image->info.MipLevels, 1u);
        EXPECT_EQ(image->info.Format, c.format);
        EXPECT_EQ(image->info.ResourceType, D3DRTYPE_TEXTURE);
        EXPECT_EQ(image->info.ImageFileFormat, c.fileFormat);
        ASSERT_EQ(image->faces.size(), 1u);
        ASSERT_EQ(image->faces[0].size(), 1u);
        const TextureImage& level = image->faces[0][0];
        for (UINT y = 0; y < 5; ++y)
            for (UINT x = 0; x < 3; ++x) {
                const std::uint8_t* p = &pixels[(y * 3 + x) * c.channels];
                const float grey = p[0] / 255.0f;
                const Texel expected = c.channels == 1 ? Texel{grey, grey, grey, 1}
                                       : c.channels == 2
                                           ? Texel{grey, grey, grey, p[1] / 255.0f}
                                           : Texel{p[0] / 255.0f, p[1] / 255.0f, p[2] / 255.0f,
                                                   c.channels == 4 ? p[3] / 255.0f : 1};
                ExpectTexel(level.At(x, y), expected, c.tolerance + 1e-5f);
            }
    }
}

// A valid file changed by `damage`.
struct DamagedFile {
    std::string name;
    FileBytes bytes;
};

FileBytes WithPngSize(FileBytes png, std::uint32_t width, std::uint32_t height) {
    // IHDR's width and height follow the signature (8), the chunk length (4) and type (4).
    for (int i = 0; i < 4; ++i) {
        png[16 + i] = static_cast<std::uint8_t>(width >> (24 - 8 * i));
        png[20 + i] = static_cast<std::uint8_t>(height >> (24 - 8 * i));
    }
    return png;
}

// Sets the width and height of a TGA header (little-endian, at bytes 12 and 14) or of a JPEG's
// frame header (big-endian, after the SOF0 marker, its length and precision).
FileBytes WithTgaSize(FileBytes tga, std::uint16_t width, std::uint16_t height) {
    tga[12] = static_cast<std::uint8_t>(width), tga[13] = static_cast<std::uint8_t>(width >> 8);
    tga[14] = static_cast<std::uint8_t>(height), tga[15] = static_cast<std::uint8_t>(height >> 8);
    return tga;
}
FileBytes WithJpegSize(FileBytes jpeg, std::uint16_t width, std::uint16_t height) {
    for (std::size_t i = 0; i + 8 < jpeg.size(); ++i)
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {
            jpeg[i + 5] = static_cast<std::uint8_t>(height >> 8), jpeg[i + 6] = height & 0xFF;
            jpeg[i + 7] = static_cast<std::uint8_t>(width >> 8), jpeg[i + 8] = width & 0xFF;
            break;
        }
    return jpeg;
}

FileBytes Cut(const FileBytes& file, std::size_t removed) {
    return FileBytes(file.begin(), file.end() - static_cast<std::ptrdiff_t>(removed));
}

std::vector<DamagedFile> DamagedImageFiles() {
    const FileBytes png = Png(16, 16, 4);
    const FileBytes bmp = EncodeImage(ImageWriter::Bmp, 16, 16, 3, RampBytes(16, 16, 3));
    const FileBytes rleTga = EncodeImage(ImageWriter::Tga, 16, 16, 3, RampBytes(16, 16, 3));
    stbi_write_tga_with_rle = 0;
    const FileBytes tga = EncodeImage(ImageWriter::Tga, 16, 16, 3, RampBytes(16, 16, 3));
    stbi_write_tga_with_rle = 1;
    const FileBytes jpeg = EncodeImage(ImageWriter::Jpeg, 16, 16, 3, RampBytes(16, 16, 3));
    DdsFile dds;
    dds.width = dds.height = 2;
    dds.data = Words({1, 2, 3, 4});
    const auto ddsWith = [&](auto change) {
        DdsFile copy = dds;
        change(copy);
        return copy.Bytes();
    };
    const FileBytes whole = dds.Bytes();
    const FileBytes truncatedDds(whole.begin(), whole.end() - 1);
    const std::uint32_t dxt1 = '1' << 24 | 'T' << 16 | 'X' << 8 | 'D';
    const std::uint32_t dx10 = '0' << 24 | '1' << 16 | 'X' << 8 | 'D';
    return {
        {"empty", {}},
        {"garbage", FileBytes(300, 0x5A)},
        {"PNG signature only", FileBytes(png.begin(), png.begin() + 8)},
        {"PNG cut in half", FileBytes(png.begin(), png.begin() + png.size() / 2)},
        {"PNG of width 0", WithPngSize(png, 0, 16)},
        {"PNG wider than a texture", WithPngSize(png, 100000, 16)},
        {"PNG taller than a texture", WithPngSize(png, 16, 8193)},
        {"BMP one byte short", Cut(bmp, 1)},
        {"TGA one byte short", Cut(tga, 1)},
        {"run-length TGA claiming more than it can hold", WithTgaSize(rleTga, 8192, 8192)},
        {"JPEG claiming more than it can hold", WithJpegSize(jpeg, 8192, 8192)},
        {"DDS signature only", FileBytes{'D', 'D', 'S', ' '}},
        {"DDS header cut short", FileBytes(whole.begin(), whole.begin() + 100)},
        {"DDS one byte short", truncatedDds},
        {"DDS header size", ddsWith([](DdsFile& f) { f.headerSize = 100; })},
        {"DDS pixel format size", ddsWith([](DdsFile& f) { f.pixelFormatSize = 24; })},
        {"DDS width 0", ddsWith([](DdsFile& f) { f.width = 0; })},
        {"DDS huge", ddsWith([](DdsFile& f) { f.width = f.height = 0x40000000; })},
        {"DDS more mips than the chain", ddsWith([](DdsFile& f) {
             f.flags |= DdsFile::kMipMapCount;
             f.mipMapCount = 3;
         })},
        {"DDS mips beyond the data", ddsWith([](DdsFile& f) {
             f.flags |= DdsFile::kMipMapCount;
             f.mipMapCount = 2;
         })},
        {"DDS DXT1", ddsWith([&](DdsFile& f) {
             f = DdsFile::FourCC(dxt1);
             f.data = dds.data;
         })},
        {"DDS DX10 header", ddsWith([&](DdsFile& f) { f = DdsFile::FourCC(dx10); })},
        {"DDS unknown FourCC", ddsWith([&](DdsFile& f) { f = DdsFile::FourCC(99); })},
        {"DDS volume", ddsWith([](DdsFile& f) { f.caps2 = DdsFile::kVolume; })},
        {"DDS cube map with five faces",
         ddsWith([](DdsFile& f) { f.caps2 = DdsFile::kCubeMap | 0x7C00; })},
        {"DDS cube map of six faces without their data",
         ddsWith([](DdsFile& f) { f.caps2 = DdsFile::kCubeMap | DdsFile::kAllFaces; })},
        {"DDS 12 bits a texel", ddsWith([](DdsFile& f) { f.bitCount = 12; })},
        {"DDS mask wider than the texel", ddsWith([](DdsFile& f) {
             f.bitCount = 16;
             f.masks[0] = 0xFF0000;
         })},
        {"DDS mask with a gap", ddsWith([](DdsFile& f) { f.masks[0] = 0x0F0F00; })},
        {"DDS without colour masks",
         ddsWith([](DdsFile& f) { f.masks[0] = f.masks[1] = f.masks[2] = 0; })},
        {"DDS alpha flag without a mask", ddsWith([](DdsFile& f) { f.masks[3] = 0; })},
        {"DDS palettised", ddsWith([](DdsFile& f) { f.pixelFlags = 0x20; })},
    };
}

TEST(ImageDecoderTest, RejectsEveryDamagedOrUnsupportedFile) {
    for (const DamagedFile& file : DamagedImageFiles()) {
        SCOPED_TRACE(file.name);
        EXPECT_FALSE(DecodeImageFile(file.bytes));
    }
}

TEST(ImageDecoderTest, RejectsSidesLargerThanTheLimit) {
    DdsFile dds;
    dds.width = 9;
    dds.data = FileBytes(9 * 4);
    for (const FileBytes& file : {Png(9, 2, 3), dds.Bytes()}) {
        EXPECT_FALSE(DecodeImageFile(file, 8));
        EXPECT_TRUE(DecodeImageFile(file, 9));
    }
}

TEST(ImageDecoderTest, ReadsEachUncompressedDdsTexelKind) {
    struct Case {
        std::string name;
        DdsFile file;
        FileBytes texel;
        D3DFORMAT format;
        Texel expected;
    };
    using F = DdsFile;
    const std::vector<Case> cases = {
        {"A8R8G8B8",
         F::Format(F::kRgb | F::kAlphaPixels, 32, {0xFF0000, 0xFF00, 0xFF, 0xFF000000}),
         Words({0x80FF4000}),
         D3DFMT_A8R8G8B8,
         {1, 64 / 255.0f, 0, 128 / 255.0f}},
        {"X8R8G8B8",
         F::Format(F::kRgb, 32, {0xFF0000, 0xFF00, 0xFF, 0}),
         Words({0x00336699}),
         D3DFMT_X8R8G8B8,
         {0x33 / 255.0f, 0x66 / 255.0f, 0x99 / 255.0f, 1}},
        {"A8B8G8R8",
         F::Format(F::kRgb | F::kAlphaPixels, 32, {0xFF, 0xFF00, 0xFF0000, 0xFF000000}),
         Words({0xFF0000FF}),
         D3DFMT_A8R8G8B8,
         {1, 0, 0, 1}},
        {"R8G8B8",
         F::Format(F::kRgb, 24, {0xFF0000, 0xFF00, 0xFF, 0}),
         {0x99, 0x66, 0x33},
         D3DFMT_R8G8B8,
         {0x33 / 255.0f, 0x66 / 255.0f, 0x99 / 255.0f, 1}},
        {"R5G6B5",
         F::Format(F::kRgb, 16, {0xF800, 0x7E0, 0x1F, 0}),
         {0xE0, 0x07},
         D3DFMT_R5G6B5,
         {0, 1, 0, 1}},
        {"L8",
         F::Format(F::kLuminance, 8, {0xFF, 0, 0, 0}),
         {51},
         D3DFMT_L8,
         {0.2f, 0.2f, 0.2f, 1}},
        {"A8L8",
         F::Format(F::kLuminance | F::kAlphaPixels, 16, {0xFF, 0, 0, 0xFF00}),
         {51, 255},
         D3DFMT_A8R8G8B8,
         {0.2f, 0.2f, 0.2f, 1}},
        {"A8", F::Format(F::kAlphaOnly, 8, {0, 0, 0, 0xFF}), {102}, D3DFMT_A8, {0, 0, 0, 0.4f}},
        {"A16B16G16R16",
         F::FourCC(D3DFMT_A16B16G16R16),
         {0xFF, 0xFF, 0, 0, 0, 0x80, 0, 0},
         D3DFMT_A16B16G16R16,
         {1, 0, 0x8000 / 65535.0f, 0}},
        {"R32F", F::FourCC(D3DFMT_R32F), Floats({-2.5f}), D3DFMT_R32F, {-2.5f, 1, 1, 1}},
        {"G32R32F",
         F::FourCC(D3DFMT_G32R32F),
         Floats({0.25f, 8}),
         D3DFMT_G32R32F,
         {0.25f, 8, 1, 1}},
        {"A32B32G32R32F",
         F::FourCC(D3DFMT_A32B32G32R32F),
         Floats({1, 2, 3, 4}),
         D3DFMT_A32B32G32R32F,
         {1, 2, 3, 4}},
        // Halves 1.0, -2.0, 0.5 and the smallest subnormal.
        {"A16B16G16R16F",
         F::FourCC(D3DFMT_A16B16G16R16F),
         {0x00, 0x3C, 0x00, 0xC0, 0x00, 0x38, 0x01, 0x00},
         D3DFMT_A16B16G16R16F,
         {1, -2, 0.5f, std::ldexp(1.0f, -24)}},
        {"R16F", F::FourCC(D3DFMT_R16F), {0x00, 0x7C}, D3DFMT_R16F, {INFINITY, 1, 1, 1}},
    };
    for (Case c : cases) {
        SCOPED_TRACE(c.name);
        c.file.data = c.texel;
        const auto image = DecodeImageFile(c.file.Bytes());
        ASSERT_TRUE(image);
        EXPECT_EQ(image->info.Format, c.format);
        EXPECT_EQ(image->info.ImageFileFormat, D3DXIFF_DDS);
        const Texel& texel = image->faces[0][0].texels[0];
        for (int channel = 0; channel < 4; ++channel)
            if (std::isinf(c.expected[channel]))
                EXPECT_EQ(texel[channel], c.expected[channel]);
            else
                EXPECT_NEAR(texel[channel], c.expected[channel], 1e-6f) << "channel " << channel;
    }
}

// A cube map of 2 x 2 faces with two levels; every texel of face f, level l is the word
// 0xFF000000 | f << 16 | l << 8 | texel index.
DdsFile CubeMapFile() {
    DdsFile file;
    file.width = file.height = 2;
    file.flags |= DdsFile::kMipMapCount;
    file.mipMapCount = 2;
    file.caps2 = DdsFile::kCubeMap | DdsFile::kAllFaces;
    for (std::uint32_t face = 0; face < 6; ++face) {
        const std::uint32_t base = 0xFF000000 | face << 16;
        const FileBytes top = Words({base, base | 1, base | 2, base | 3});
        const FileBytes level1 = Words({base | 0x100});
        file.data.insert(file.data.end(), top.begin(), top.end());
        file.data.insert(file.data.end(), level1.begin(), level1.end());
    }
    return file;
}

TEST(ImageDecoderTest, ReadsCubeMapFacesAndStoredLevelsInFileOrder) {
    const auto image = DecodeImageFile(CubeMapFile().Bytes());
    ASSERT_TRUE(image);
    EXPECT_EQ(image->info.ResourceType, D3DRTYPE_CUBETEXTURE);
    EXPECT_EQ(image->info.MipLevels, 2u);
    ASSERT_EQ(image->faces.size(), 6u);
    for (UINT face = 0; face < 6; ++face) {
        SCOPED_TRACE(face);
        ASSERT_EQ(image->faces[face].size(), 2u);
        const TextureImage& top = image->faces[face][0];
        const TextureImage& level1 = image->faces[face][1];
        EXPECT_EQ(level1.width, 1u);
        ExpectTexel(top.At(1, 1), {face / 255.0f, 0, 3 / 255.0f, 1});
        ExpectTexel(level1.At(0, 0), {face / 255.0f, 1 / 255.0f, 0, 1});
    }
}

TEST(ImageFilterTest, TakesTypeAndMirrorsApartAndFallsBackWithoutAType) {
    using T = ImageFilter::Type;
    struct Case {
        DWORD filter;
        T type;
        bool mirrorU, mirrorV;
    };
    for (const Case c : {Case{D3DX_DEFAULT, T::Box, false, false},
                         Case{D3DX_FILTER_DITHER_DIFFUSION, T::Box, false, false},
                         Case{D3DX_FILTER_NONE, T::None, false, false},
                         Case{D3DX_FILTER_POINT | D3DX_FILTER_MIRROR_U, T::Point, true, false},
                         Case{D3DX_FILTER_LINEAR | D3DX_FILTER_DITHER, T::Linear, false, false},
                         Case{D3DX_FILTER_TRIANGLE | D3DX_FILTER_MIRROR, T::Triangle, true, true},
                         Case{D3DX_FILTER_BOX | D3DX_FILTER_MIRROR_V, T::Box, false, true}}) {
        SCOPED_TRACE(c.filter);
        const auto filter = ImageFilter::From(c.filter, T::Box);
        ASSERT_TRUE(filter);
        EXPECT_EQ(filter->type, c.type);
        EXPECT_EQ(filter->mirrorU, c.mirrorU);
        EXPECT_EQ(filter->mirrorV, c.mirrorV);
    }
    EXPECT_FALSE(ImageFilter::From(6, T::Box));
}

TEST(ImageResamplerTest, EachFilterWeighsTheSourceTexelsAsDocumented) {
    const Texel a{1, 0, 0, 1}, b{0, 1, 0, 0};
    const auto mix = [](const Texel& x, const Texel& y, float t) {
        Texel result;
        for (int c = 0; c < 4; ++c)
            result[c] = x[c] * (1 - t) + y[c] * t;
        return result;
    };
    struct Case {
        std::string name;
        TextureImage source;
        DWORD filter;
        std::vector<Texel> expected;
    };
    const std::vector<Case> cases = {
        {"point", Row({a, b}), D3DX_FILTER_POINT, {a, a, b, b}},
        // Taps past the edges wrap around to the other side...
        {"linear",
         Row({a, b}),
         D3DX_FILTER_LINEAR,
         {mix(a, b, 0.25f), mix(a, b, 0.25f), mix(a, b, 0.75f), mix(a, b, 0.75f)}},
        // ... or come back from the edge with the mirror modifier.
        {"linear mirrored",
         Row({a, b}),
         D3DX_FILTER_LINEAR | D3DX_FILTER_MIRROR_U,
         {a, mix(a, b, 0.25f), mix(a, b, 0.75f), b}},
        {"box halving", Row({a, b, b, b}), D3DX_FILTER_BOX, {mix(a, b, 0.5f), b}},
        // Weights 1/8, 3/8, 3/8, 1/8 around each destination centre.
        {"triangle halving",
         Row({a, b, b, b}),
         D3DX_FILTER_TRIANGLE | D3DX_FILTER_MIRROR_U,
         {mix(a, b, 0.5f), b}},
        {"triangle wrapping",
         Row({a, b, b, b}),
         D3DX_FILTER_TRIANGLE,
         {mix(a, b, 0.625f), mix(a, b, 0.875f)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto filter = ImageFilter::From(c.filter, ImageFilter::Type::Box);
        const TextureImage result =
            Resample(c.source, static_cast<UINT>(c.expected.size()), 1, *filter);
        ASSERT_EQ(result.width, c.expected.size());
        for (UINT x = 0; x < result.width; ++x) {
            SCOPED_TRACE(x);
            ExpectTexel(result.At(x, 0), c.expected[x]);
        }
    }
}

TEST(ImageResamplerTest, EveryScalingFilterKeepsAFlatImageFlat) {
    const Texel flat{0.25f, 0.5f, 0.75f, 1};
    const TextureImage source(7, 3, flat);
    for (const DWORD filter : {D3DX_FILTER_POINT, D3DX_FILTER_LINEAR, D3DX_FILTER_TRIANGLE,
                               D3DX_FILTER_BOX, D3DX_FILTER_BOX | D3DX_FILTER_MIRROR}) {
        for (const auto& [width, height] :
             {std::pair{16u, 4u}, std::pair{2u, 1u}, std::pair{1u, 1u}, std::pair{8000u, 1u}}) {
            SCOPED_TRACE(testing::Message() << filter << " to " << width << "x" << height);
            const TextureImage result =
                Resample(source, width, height, *ImageFilter::From(filter, ImageFilter::Type::Box));
            ASSERT_EQ(result.texels.size(), static_cast<std::size_t>(width) * height);
            for (const Texel& texel : result.texels)
                ExpectTexel(texel, flat);
        }
    }
}

TEST(ImageResamplerTest, NoneCopiesUnscaledIntoTheTopLeftCorner) {
    const TextureImage source = Ramp(3, 5);
    const ImageFilter none{ImageFilter::Type::None};
    const TextureImage larger = Resample(source, 4, 8, none);
    for (UINT y = 0; y < 8; ++y)
        for (UINT x = 0; x < 4; ++x)
            ExpectTexel(larger.At(x, y), x < 3 && y < 5 ? source.At(x, y) : Texel{0, 0, 0, 0});
    const TextureImage smaller = Resample(source, 2, 2, none);
    for (UINT y = 0; y < 2; ++y)
        for (UINT x = 0; x < 2; ++x)
            ExpectTexel(smaller.At(x, y), source.At(x, y));
}

TEST(MipChainTest, LevelsHalveDownToOneTexelWithTheMipFilter) {
    const TextureImage top = Ramp(8, 2);
    const ImageFilter box{ImageFilter::Type::Box};
    const auto levels = BuildMipChain({top}, 8, 2, 4, box, box);
    ASSERT_EQ(levels.size(), 4u);
    const std::pair<UINT, UINT> sizes[] = {{8, 2}, {4, 1}, {2, 1}, {1, 1}};
    for (UINT level = 0; level < 4; ++level) {
        EXPECT_EQ(levels[level].width, sizes[level].first);
        EXPECT_EQ(levels[level].height, sizes[level].second);
    }
    // Level 1's texel 1 averages texels 2 and 3 of both rows; the last level averages all.
    ExpectTexel(levels[1].At(1, 0), {2.5f / 16, 0.5f / 16, 3 / 16.0f, 1});
    ExpectTexel(levels[3].At(0, 0), {3.5f / 16, 0.5f / 16, 4 / 16.0f, 1});
}

TEST(MipChainTest, MipFilterNoneKeepsTheTopLeftCornerOfTheLevelAbove) {
    const TextureImage top = Ramp(4, 4);
    const auto levels = BuildMipChain({top}, 4, 4, 3, ImageFilter{ImageFilter::Type::None},
                                      ImageFilter{ImageFilter::Type::None});
    ASSERT_EQ(levels.size(), 3u);
    ExpectTexel(levels[1].At(1, 1), top.At(1, 1));
    ExpectTexel(levels[2].At(0, 0), top.At(0, 0));
}

TEST(MipChainTest, StoredLevelsAreUsedOnlyWhenTheTopNeedsNoScaling) {
    const TextureImage top(2, 2, {1, 1, 1, 1});
    const TextureImage stored(1, 1, {0, 0, 0, 0}); // not what filtering the top would give
    const ImageFilter box{ImageFilter::Type::Box};
    EXPECT_EQ(BuildMipChain({top, stored}, 2, 2, 2, box, box)[1].texels[0], stored.texels[0]);
    const auto rescaled = BuildMipChain({top, stored}, 4, 4, 3, box, box);
    ExpectTexel(rescaled[2].texels[0], {1, 1, 1, 1});
}

TEST(TextureLayoutTest, SizesLevelsAndFormatFollowTheArgumentsAndTheFile) {
    struct File {
        UINT width, height, levels;
        D3DFORMAT format;
    };
    struct Arguments {
        UINT width, height, mipLevels;
        D3DFORMAT format;
    };
    struct Case {
        std::string name;
        File file;
        Arguments arguments;
        TextureLayout expected;
    };
    constexpr UINT kDefault = D3DX_DEFAULT, kNonPow2 = D3DX_DEFAULT_NONPOW2;
    constexpr D3DFORMAT kFromFile = D3DFMT_FROM_FILE;
    const std::vector<Case> cases = {
        {"rounded up",
         {3, 5, 1, D3DFMT_R8G8B8},
         {kDefault, kDefault, 0, kFromFile},
         {4, 8, 4, D3DFMT_X8R8G8B8}},
        {"0 is the default",
         {3, 5, 1, D3DFMT_A8R8G8B8},
         {0, 0, kDefault, D3DFMT_UNKNOWN},
         {4, 8, 4, D3DFMT_A8R8G8B8}},
        {"powers of two stay",
         {256, 64, 1, D3DFMT_L8},
         {kDefault, kDefault, 0, kFromFile},
         {256, 64, 9, D3DFMT_L8}},
        {"file's size",
         {3, 5, 1, D3DFMT_L8},
         {kNonPow2, kNonPow2, 0, kFromFile},
         {3, 5, 3, D3DFMT_L8}},
        {"asked size and levels",
         {3, 5, 1, D3DFMT_L8},
         {16, 2, 2, D3DFMT_A8R8G8B8},
         {16, 2, 2, D3DFMT_A8R8G8B8}},
        {"levels beyond the chain",
         {4, 4, 1, D3DFMT_L8},
         {0, 0, 9, kFromFile},
         {4, 4, 3, D3DFMT_L8}},
        {"file's levels",
         {8, 8, 2, D3DFMT_A8R8G8B8},
         {0, 0, D3DX_FROM_FILE, kFromFile},
         {8, 8, 2, D3DFMT_A8R8G8B8}},
        {"size capped", {8, 8, 1, D3DFMT_L8}, {10000, 8, 1, kFromFile}, {8192, 8, 1, D3DFMT_L8}},
        {"half floats stay",
         {1, 1, 1, D3DFMT_A16B16G16R16F},
         {0, 0, 0, kFromFile},
         {1, 1, 1, D3DFMT_A16B16G16R16F}},
        {"24-bit colour widens",
         {1, 1, 1, D3DFMT_R8G8B8},
         {0, 0, 0, kFromFile},
         {1, 1, 1, D3DFMT_X8R8G8B8}},
        {"16-bit colour widens",
         {1, 1, 1, D3DFMT_L8},
         {0, 0, 0, D3DFMT_R5G6B5},
         {1, 1, 1, D3DFMT_X8R8G8B8}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const D3DXIMAGE_INFO file{c.file.width,  c.file.height,    1,          c.file.levels,
                                  c.file.format, D3DRTYPE_TEXTURE, D3DXIFF_PNG};
        const Arguments& a = c.arguments;
        const TextureLayout layout =
            ChooseTextureLayout(file, a.width, a.height, a.mipLevels, a.format, 8192);
        EXPECT_EQ(layout.width, c.expected.width);
        EXPECT_EQ(layout.height, c.expected.height);
        EXPECT_EQ(layout.levels, c.expected.levels);
        EXPECT_EQ(layout.format, c.expected.format);
    }
}

TEST(TexelWriterTest, WritesEachFormatsBytesInDirect3DOrder) {
    const Texel texel{1, 0.5f, 0.25f, 0.75f};
    struct Case {
        D3DFORMAT format;
        FileBytes bytes;
    };
    const std::vector<Case> cases = {
        {D3DFMT_A8R8G8B8, {64, 128, 255, 191}},
        {D3DFMT_X8R8G8B8, {64, 128, 255, 255}},
        {D3DFMT_L8,
         {static_cast<std::uint8_t>(std::lround(255 * (0.2126 + 0.7152 * 0.5 + 0.0722 * 0.25)))}},
        {D3DFMT_A8, {191}},
        {D3DFMT_G16R16, {0xFF, 0xFF, 0x00, 0x80}},
        {D3DFMT_A16B16G16R16, {0xFF, 0xFF, 0x00, 0x80, 0x00, 0x40, 0xFF, 0xBF}},
        {D3DFMT_R16F, {0x00, 0x3C}},
        {D3DFMT_G16R16F, {0x00, 0x3C, 0x00, 0x38}},
        {D3DFMT_A16B16G16R16F, {0x00, 0x3C, 0x00, 0x38, 0x00, 0x34, 0x00, 0x3A}},
        {D3DFMT_R32F, Floats({1})},
        {D3DFMT_G32R32F, Floats({1, 0.5f})},
        {D3DFMT_A32B32G32R32F, Floats({1, 0.5f, 0.25f, 0.75f})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.format);
        ASSERT_EQ(TexelSize(c.format), c.bytes.size());
        // Two rows with a pitch wider than the texel, so that the second lands at the pitch.
        const int pitch = static_cast<int>(c.bytes.size()) + 3;
        FileBytes out(static_cast<std::size_t>(pitch) * 2, 0xEE);
        WriteTexels(TextureImage(1, 2, texel), c.format, {pitch, out.data()});
        for (const std::size_t row : {std::size_t{0}, static_cast<std::size_t>(pitch)}) {
            EXPECT_EQ(FileBytes(out.begin() + row, out.begin() + row + c.bytes.size()), c.bytes);
            EXPECT_EQ(out[row + c.bytes.size()], 0xEE) << "past the texel";
        }
    }
}

TEST(TexelWriterTest, ClampsNormalisedChannelsAndWritesNanAsZero) {
    std::uint8_t out[4];
    WriteTexels(TextureImage(1, 1, {-1, 2, NAN, 1}), D3DFMT_A8R8G8B8, {4, out});
    EXPECT_EQ(FileBytes(out, out + 4), (FileBytes{0, 255, 0, 255}));
}

TEST(TexelWriterTest, HalvesRoundToNearestAndSaturateToInfinity) {
    struct Case {
        float value;
        std::uint16_t half;
    };
    for (const Case c :
         {Case{1.0f / 3, 0x3555}, Case{-2.0f, 0xC000}, Case{-0.0f, 0x8000}, Case{65504, 0x7BFF},
          Case{65519, 0x7BFF}, Case{65520, 0x7C00}, Case{-1e30f, 0xFC00}, Case{0x1p-24f, 0x0001},
          Case{0x1p-14f, 0x0400}, Case{0x1.ffcp-15f, 0x0400}, Case{INFINITY, 0x7C00}}) {
        SCOPED_TRACE(c.value);
        std::uint8_t out[2];
        WriteTexels(TextureImage(1, 1, {c.value, 0, 0, 0}), D3DFMT_R16F, {2, out});
        EXPECT_EQ(out[0] | out[1] << 8, c.half);
    }
}

TEST(TextureContentsTest, EffectTexturesKeepTheirTexelsUnfilteredWithFilterNone) {
    const FileBytes png = Png(3, 5, 4);
    const TextureImage file = DecodeImageFile(png)->faces[0][0];
    TextureContents contents;
    ASSERT_EQ(PrepareTextureContents(png,
                                     {D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_FROM_FILE,
                                      D3DX_FILTER_NONE, D3DX_FILTER_NONE, 0},
                                     D3DRTYPE_TEXTURE, contents),
              D3D_OK);
    EXPECT_EQ(contents.layout.width, 4u);
    EXPECT_EQ(contents.layout.height, 8u);
    ASSERT_EQ(contents.faces.size(), 1u);
    ASSERT_EQ(contents.faces[0].size(), 4u);
    const TextureImage& top = contents.faces[0][0];
    ExpectTexel(top.At(2, 4), file.At(2, 4));
    ExpectTexel(top.At(3, 7), {0, 0, 0, 0});
    ExpectTexel(contents.faces[0][1].At(1, 3), file.At(1, 3));
}

TEST(TextureContentsTest, EffectTexturesScaleLinearlyAndBoxFilterTheirMips) {
    const FileBytes png = Png(3, 5, 4);
    TextureContents contents;
    ASSERT_EQ(PrepareTextureContents(png,
                                     {D3DX_DEFAULT, D3DX_DEFAULT, 0, D3DFMT_FROM_FILE,
                                      D3DX_FILTER_LINEAR, D3DX_FILTER_DITHER_DIFFUSION, 0},
                                     D3DRTYPE_TEXTURE, contents),
              D3D_OK);
    const auto& levels = contents.faces[0];
    ASSERT_EQ(levels.size(), 4u);
    const TextureImage expectedTop =
        Resample(DecodeImageFile(png)->faces[0][0], 4, 8, ImageFilter{ImageFilter::Type::Linear});
    ExpectTexel(levels[0].At(3, 7), expectedTop.At(3, 7));
    Texel average{0, 0, 0, 0};
    for (const auto& [x, y] : {std::pair{2u, 2u}, {3u, 2u}, {2u, 3u}, {3u, 3u}})
        for (int c = 0; c < 4; ++c)
            average[c] += levels[0].At(x, y)[c] / 4;
    ExpectTexel(levels[1].At(1, 1), average);
}

TEST(TextureContentsTest, CubeTexturesNeedACubeMapAnd2DTexturesTakeItsFirstFace) {
    const FileBytes cube = CubeMapFile().Bytes();
    TextureContents contents;
    ASSERT_EQ(PrepareTextureContents(cube, {}, D3DRTYPE_CUBETEXTURE, contents), D3D_OK);
    EXPECT_EQ(contents.faces.size(), 6u);
    EXPECT_EQ(contents.layout.levels, 2u);
    ExpectTexel(contents.faces[5][0].At(1, 0), {5 / 255.0f, 0, 1 / 255.0f, 1});
    ExpectTexel(contents.faces[5][1].At(0, 0), {5 / 255.0f, 1 / 255.0f, 0, 1});

    ASSERT_EQ(PrepareTextureContents(cube, {}, D3DRTYPE_TEXTURE, contents), D3D_OK);
    ASSERT_EQ(contents.faces.size(), 1u);
    ExpectTexel(contents.faces[0][0].At(1, 0), {0, 0, 1 / 255.0f, 1});

    EXPECT_EQ(PrepareTextureContents(Png(4, 4, 3), {}, D3DRTYPE_CUBETEXTURE, contents),
              D3DXERR_INVALIDDATA);
}

TEST(TextureContentsTest, BadFilesAndFiltersAreRefusedWithTheirResults) {
    TextureContents contents;
    for (const DamagedFile& file : DamagedImageFiles()) {
        SCOPED_TRACE(file.name);
        EXPECT_EQ(PrepareTextureContents(file.bytes, {}, D3DRTYPE_TEXTURE, contents),
                  D3DXERR_INVALIDDATA);
    }
    TextureRequest badFilter;
    badFilter.mipFilter = 7;
    EXPECT_EQ(PrepareTextureContents(Png(2, 2, 3), badFilter, D3DRTYPE_TEXTURE, contents),
              D3DERR_INVALIDCALL);
}

TEST(TextureContentsTest, ColourKeyedTexelsBecomeTransparentBlack) {
    const FileBytes png = EncodeImage(ImageWriter::Png, 2, 1, 3, {0xFF, 0x00, 0xFF, 1, 2, 3});
    TextureRequest request;
    request.format = D3DFMT_A8R8G8B8;
    request.colorKey = 0xFFFF00FF;
    TextureContents contents;
    ASSERT_EQ(PrepareTextureContents(png, request, D3DRTYPE_TEXTURE, contents), D3D_OK);
    ExpectTexel(contents.faces[0][0].At(0, 0), {0, 0, 0, 0});
    ExpectTexel(contents.faces[0][0].At(1, 0), {1 / 255.0f, 2 / 255.0f, 3 / 255.0f, 1});
}

} // namespace
