#include "Framework/NoiseTexture.h"

#include "Framework/FileSys.h"
#include "Framework/GuardedCall.h"
#include "Framework/NoiseVolume.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <vector>

namespace {

constexpr const char* kGuardedSourcePath = ".\\Source\\Framework\\Noise\\Noise";
constexpr std::size_t kRowBytes = kNoiseVolumeSize;

// Visits the rows of the locked box in file order (y within z).
template <class RowAction>
void ForEachRow(const D3DLOCKED_BOX& box, RowAction action) {
    auto* texels = static_cast<std::uint8_t*>(box.pBits);
    for (int z = 0; z < kNoiseVolumeSize; ++z)
        for (int y = 0; y < kNoiseVolumeSize; ++y)
            action(texels + static_cast<std::size_t>(z) * static_cast<std::size_t>(box.SlicePitch) +
                       static_cast<std::size_t>(y) * static_cast<std::size_t>(box.RowPitch),
                   (static_cast<std::size_t>(z) * kNoiseVolumeSize + y) * kRowBytes);
}

bool ReadStoredVolume(const D3DLOCKED_BOX& box) {
    const FileSys* fileSys = FileSys::Instance();
    if (fileSys == nullptr || fileSys->GetFileSize(kNoiseVolumeEntry) != kNoiseVolumeBytes)
        return false;
    std::vector<std::uint8_t> stored(kNoiseVolumeBytes);
    if (fileSys->ReadFile(kNoiseVolumeEntry, stored.data()) != kNoiseVolumeBytes) return false;
    ForEachRow(box, [&](std::uint8_t* row, std::size_t offset) {
        std::memcpy(row, stored.data() + offset, kRowBytes);
    });
    return true;
}

void WriteVolumeFile(const D3DLOCKED_BOX& box) {
    std::ofstream file(kNoiseVolumeFile, std::ios::binary | std::ios::trunc);
    if (file)
        ForEachRow(box, [&](std::uint8_t* row, std::size_t) {
            file.write(reinterpret_cast<const char*>(row), kRowBytes);
        });
    file.close();
    if (!file) std::printf("[CreateNoiseTexture]: Could not write %s\n", kNoiseVolumeFile);
}

} // namespace

IDirect3DVolumeTexture9* CreateNoiseTexture(IDirect3DDevice9* device) {
    IDirect3DVolumeTexture9* texture = nullptr;
    GUARDED(device->CreateVolumeTexture(kNoiseVolumeSize, kNoiseVolumeSize, kNoiseVolumeSize, 1,
                                        D3DUSAGE_DYNAMIC, D3DFMT_L8, D3DPOOL_DEFAULT, &texture,
                                        nullptr));
    if (texture == nullptr) return nullptr;
    D3DLOCKED_BOX box{};
    GUARDED(texture->LockBox(0, &box, nullptr, D3DLOCK_DISCARD));
    if (box.pBits == nullptr) return texture;
    if (!ReadStoredVolume(box)) {
        GenerateNoiseVolume(static_cast<std::uint8_t*>(box.pBits),
                            static_cast<std::size_t>(box.RowPitch),
                            static_cast<std::size_t>(box.SlicePitch));
        WriteVolumeFile(box);
    }
    GUARDED(texture->UnlockBox(0));
    return texture;
}
