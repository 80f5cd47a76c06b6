// libFuzzer target: an arbitrary entry read as an event list and as an animation curve, then
// polled and evaluated across and beyond its times, so that the sanitizers catch any read past
// the entry or the keys.

#include "DataPacker/DataFileWriter.h"
#include "Framework/Curves/CurveHandle.h"
#include "Framework/EventList.h"
#include "Framework/FileSys.h"

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <span>
#include <string>
#include <unistd.h>

namespace {

std::filesystem::path workDir;

void RemoveWorkDir() {
    std::filesystem::remove_all(workDir);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "lumenvale-timeline-fuzz-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    workDir = pattern;
    std::atexit(RemoveWorkDir);
    std::filesystem::current_path(workDir);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DataFileWriter writer;
    const std::span<const unsigned char> entry(data, size);
    writer.Add("Data\\event\\Fuzz", entry);
    writer.Add("Data\\anim\\Fuzz", entry);
    writer.Write(workDir / "basefile.dat");

    const FileSys fileSys;
    EventList events("Fuzz");
    events.LoadEvents();
    CurveHandle curve("Fuzz", CurveKind::Smooth);
    curve.Load();
    std::string name;
    for (float t : {-1.0f, 0.0f, 0.5f, 12.25f, 99.0f, 287.0f, 1e9f, 3.0f, -5.0f}) {
        events.Poll(t, name);
        curve.Evaluate(t);
        curve.Sample(t);
    }
    return 0;
}
