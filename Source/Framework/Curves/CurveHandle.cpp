#include "Framework/Curves/CurveHandle.h"

#include "Framework/FileSys.h"
#include "Platform/Win32/Windows.h"

#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace {

// A missing curve keeps the demo running: it reads 0 from before the start to past the end.
constexpr float defaultKeyTimes[] = {0.0f, 10000.0f};

// Dozens of curves go missing together when the data file is stale; one box per kind is enough.
void ReportMissingCurve(CurveKind kind, const std::string& name) {
    static std::array<bool, 2> reported{};
    bool& kindReported = reported[static_cast<std::size_t>(kind)];
    if (kindReported) return;
    const std::string text =
        "No animCurve found in filesystem corresponding to registered curve: \"" + name +
        "\".\n(Skipping further error messages)";
    MessageBox(nullptr, text.c_str(), "File not found", MB_OK);
    kindReported = true;
}

} // namespace

CurveHandle::CurveHandle(std::string curveName, CurveKind curveKind)
    : curve(std::move(curveName)), kind(curveKind) {}

void CurveHandle::Load() {
    const std::string entry = "Data\\anim\\" + curve.Name();
    const FileSys& fileSys = *FileSys::Instance();
    const std::uint32_t size = fileSys.GetFileSize(entry.c_str());
    if (size == 0) {
        ReportMissingCurve(kind, curve.Name());
        curve.ReplaceKeys({});
        for (const float time : defaultKeyTimes)
            curve.SetKey(time, 0.0f, 0.0f, 0.0f);
        return;
    }
    std::vector<unsigned char> bytes(size);
    fileSys.ReadFile(entry.c_str(), bytes.data());
    curve.ReplaceKeys(DecodeAnimKeys(bytes));
}
