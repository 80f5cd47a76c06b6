// The shared noise texture as the framework loads it: from the data file's entry, or generated
// and written to "Data/noise.bin" when the entry is missing; its guarded device calls; and the
// volume the data build stores.
#include "BuildEffectEntries.h"
#include "DeviceFixture.h"
#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"
#include "Framework/NoiseTexture.h"
#include "Framework/NoiseVolume.h"
#include "ScratchDataFile.h"

#include <gmock/gmock.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Volume = std::vector<std::uint8_t>;

std::size_t Index(int x, int y, int z) {
    return (static_cast<std::size_t>(z) * kNoiseVolumeSize + y) * kNoiseVolumeSize + x;
}

Volume ReadFileBytes(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    return Volume(std::istreambuf_iterator<char>(file), {});
}

// Texels spread over the volume, edges included.
constexpr int kProbes[][3] = {{0, 0, 0},   {127, 0, 0},  {0, 127, 0},     {0, 0, 127},
                              {5, 77, 31}, {64, 64, 64}, {127, 127, 127}, {100, 3, 126}};

// Expects the volume to hold the generated noise at the probe texels.
void ExpectGeneratedNoise(const Volume& volume) {
    ASSERT_EQ(volume.size(), kNoiseVolumeBytes);
    for (const auto& p : kProbes)
        EXPECT_EQ(volume[Index(p[0], p[1], p[2])], NoiseVolumeTexel(p[0], p[1], p[2]))
            << p[0] << ", " << p[1] << ", " << p[2];
}

class NoiseTextureTest : public DeviceFixture {
protected:
    // Moves into a scratch directory whose data file holds these entries and the build's
    // effects; the framework opened there loads the noise texture from it.
    void MountData(std::map<std::string, std::string> entries) {
        scratch.emplace();
        entries.merge(BuildEffectEntries());
        DataFileWriter writer;
        for (const auto& [name, content] : entries)
            writer.Add(name, std::span(reinterpret_cast<const unsigned char*>(content.data()),
                                       content.size()));
        writer.Write(scratch->Directory() / "basefile.dat");
    }

    // The texture's texels in x, y, z order, read back from GL.
    Volume TextureTexels() {
        IDirect3DVolumeTexture9* texture = framework->noiseTexture;
        Volume texels;
        D3DLOCKED_BOX box{};
        EXPECT_EQ(texture->LockBox(0, &box, nullptr, D3DLOCK_READONLY), D3D_OK);
        const auto* bytes = static_cast<const std::uint8_t*>(box.pBits);
        for (int z = 0; z < kNoiseVolumeSize; ++z)
            for (int y = 0; y < kNoiseVolumeSize; ++y) {
                const std::uint8_t* row = bytes + z * box.SlicePitch + y * box.RowPitch;
                texels.insert(texels.end(), row, row + kNoiseVolumeSize);
            }
        EXPECT_EQ(texture->UnlockBox(0), D3D_OK);
        return texels;
    }

    void TearDown() override {
        DeviceFixture::TearDown();
        scratch.reset();
    }

    std::optional<ScratchDataFile> scratch;
};

TEST_F(NoiseTextureTest, TheStoredVolumeFillsTheTextureAndNothingIsWritten) {
    std::string stored(kNoiseVolumeBytes, '\0');
    for (std::size_t i = 0; i < stored.size(); ++i)
        stored[i] = static_cast<char>((i * 7 + i / 128 * 3 + i / 16384) & 0xFF);
    MountData({{kNoiseVolumeEntry, stored}});
    fs::create_directory("Data"); // the file could be written: it must not be
    OpenFramework();

    D3DVOLUME_DESC desc{};
    ASSERT_EQ(framework->noiseTexture->GetLevelDesc(0, &desc), D3D_OK);
    EXPECT_EQ(framework->noiseTexture->GetLevelCount(), 1u);
    EXPECT_EQ(desc.Format, D3DFMT_L8);
    EXPECT_EQ(desc.Usage, D3DUSAGE_DYNAMIC);
    EXPECT_EQ(desc.Pool, D3DPOOL_DEFAULT);
    EXPECT_EQ(desc.Width, 128u);
    EXPECT_EQ(desc.Height, 128u);
    EXPECT_EQ(desc.Depth, 128u);
    EXPECT_EQ(TextureTexels(), Volume(stored.begin(), stored.end()));
    EXPECT_FALSE(fs::exists(kNoiseVolumeFile));
}

TEST_F(NoiseTextureTest, AMissingEntryIsGeneratedAndWrittenToTheWorkingDirectory) {
    MountData({{"Data\\other.bin", "x"}});
    fs::create_directory("Data");
    OpenFramework();
    const Volume written = ReadFileBytes(kNoiseVolumeFile);
    ASSERT_NO_FATAL_FAILURE(ExpectGeneratedNoise(written));
    EXPECT_EQ(TextureTexels(), written);

    // The volume tiles: texel 127 and texel 0 along an axis differ like neighbours, not like
    // texels half the volume apart.
    for (int axis = 0; axis < 3; ++axis) {
        double neighbours = 0, wrap = 0, far = 0;
        int lines = 0;
        for (int p = 0; p < kNoiseVolumeSize; p += 4)
            for (int q = 0; q < kNoiseVolumeSize; q += 4, ++lines) {
                auto at = [&](int k) {
                    int c[3];
                    c[axis] = k;
                    c[(axis + 1) % 3] = p;
                    c[(axis + 2) % 3] = q;
                    return static_cast<int>(written[Index(c[0], c[1], c[2])]);
                };
                for (int k = 0; k + 1 < kNoiseVolumeSize; ++k)
                    neighbours += std::abs(at(k + 1) - at(k)) / double(kNoiseVolumeSize - 1);
                wrap += std::abs(at(127) - at(0));
                far += std::abs(at(64) - at(0));
            }
        SCOPED_TRACE(axis);
        EXPECT_LT(wrap, 2.0 * neighbours);
        EXPECT_GT(far, 3.0 * wrap);
        EXPECT_GT(neighbours, 0.5 * lines);
    }
}

TEST_F(NoiseTextureTest, AnEntryOfAnotherSizeIsGeneratedEvenWhenTheFileCannotBeCreated) {
    MountData({{kNoiseVolumeEntry, std::string(1000, '\x7F')}});
    std::ofstream("Data") << "a file where the directory would be";
    testing::internal::CaptureStdout();
    OpenFramework();
    EXPECT_THAT(testing::internal::GetCapturedStdout(),
                testing::HasSubstr("[CreateNoiseTexture]: Could not write Data/noise.bin"));
    ExpectGeneratedNoise(TextureTexels());
    EXPECT_TRUE(fs::is_regular_file("Data"));
}

TEST_F(NoiseTextureTest, CreationFailuresAreGuardedCalls) {
    D3D9TestSeam::InjectResult("CreateVolumeTexture", D3DERR_OUTOFVIDEOMEMORY);
    try {
        OpenFramework();
        FAIL() << "no failure";
    } catch (const FrameworkEx& failure) {
        EXPECT_THAT(failure.Message(),
                    testing::MatchesRegex("Error: D3DERR_OUTOFVIDEOMEMORY\n\n"
                                          "\\.\\\\Source\\\\Framework\\\\Noise\\\\Noise : [0-9]+"));
    }
    CloseFramework();

    D3D9TestSeam::InjectResult("CreateVolumeTexture", D3DERR_DEVICELOST);
    OpenFramework();
    EXPECT_TRUE(framework->deviceLost);
    EXPECT_EQ(framework->noiseTexture, nullptr);
}

TEST_F(NoiseTextureTest, AResetMakesTheTextureAgain) {
    OpenFramework(); // in the build's directory, whose data file holds the volume
    const Volume before = TextureTexels();
    framework->ResetDevice();
    ASSERT_NE(framework->noiseTexture, nullptr);
    EXPECT_EQ(TextureTexels(), before);
}

TEST(NoiseVolumeData, TheDataBuildStoresTheGeneratedVolume) {
    ScratchDataFile data;
    fs::copy_file(LUMENVALE_BASEFILE, data.Directory() / "basefile.dat");
    FileSys fileSys;
    Volume stored(fileSys.GetFileSize(kNoiseVolumeEntry));
    ASSERT_EQ(fileSys.ReadFile(kNoiseVolumeEntry, stored.data()), kNoiseVolumeBytes);
    ExpectGeneratedNoise(stored);
}

} // namespace
