// libFuzzer target: FileSys on an arbitrary "basefile.dat", reading every entry it lists into a
// buffer of exactly the declared size, so that the sanitizers catch any overrun.

#include "Framework/FileSys.h"
#include "Framework/FrameworkEx.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

// A caller allocates what the directory declares; beyond this, libFuzzer's malloc limit would
// report the harness's allocation rather than a fault of FileSys.
constexpr std::uint32_t maxDeclaredSize = 16u << 20;

std::filesystem::path workDir;

void RemoveWorkDir() {
    std::filesystem::remove_all(workDir);
}

// FileSys opens its data file in the working directory; libFuzzer resolves its own paths in the
// directory it was started from.
class InWorkDir {
public:
    InWorkDir() : original(std::filesystem::current_path()) {
        std::filesystem::current_path(workDir);
    }
    ~InWorkDir() { std::filesystem::current_path(original); }
    InWorkDir(const InWorkDir&) = delete;
    InWorkDir& operator=(const InWorkDir&) = delete;

private:
    std::filesystem::path original;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lumenvale-filesys-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    workDir = pattern;
    std::atexit(RemoveWorkDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const InWorkDir inWorkDir;
    std::FILE* file = std::fopen("basefile.dat", "wb");
    if (file == nullptr) std::abort();
    std::fwrite(data, 1, size, file);
    std::fclose(file);

    const FileSys fileSys;
    for (const auto& [name, entry] : fileSys.Directory()) {
        const std::uint32_t declared = fileSys.GetFileSize(name.c_str());
        if (declared > maxDeclaredSize) continue;
        const auto dest = std::make_unique_for_overwrite<unsigned char[]>(declared);
        try {
            fileSys.ReadFile(name.c_str(), dest.get());
        } catch (const FrameworkEx&) {
            // A damaged payload is expected input.
        }
    }
    return 0;
}
