// soundtrack OUTPUT [--seconds N]: renders the show's music and encodes it to Ogg Vorbis.

#include "Song.h"
#include "Timing.h"
#include "VorbisWriter.h"

#include <charconv>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string_view>
#include <vector>

using namespace soundtrack;

namespace {

constexpr float quality = 0.35f;
constexpr std::size_t chunkFrames = 8192;

int Usage() {
    std::fprintf(stderr,
                 "usage: soundtrack OUTPUT.ogg [--seconds N]\n"
                 "  renders the first N seconds (default: the whole %g s show)\n",
                 timing::showSeconds);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    std::filesystem::path output;
    double seconds = timing::showSeconds;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--seconds" && i + 1 < argc) {
            const std::string_view value = argv[++i];
            const auto [end, error] =
                std::from_chars(value.data(), value.data() + value.size(), seconds);
            if (error != std::errc() || end != value.data() + value.size() || seconds <= 0)
                return Usage();
        } else if (output.empty() && !argument.starts_with("-")) {
            output = argument;
        } else {
            return Usage();
        }
    }
    if (output.empty()) return Usage();

    try {
        Song song;
        VorbisWriter writer(output, timing::sampleRate, quality);
        std::vector<float> left(chunkFrames);
        std::vector<float> right(chunkFrames);
        const std::int64_t total = timing::FrameAt(seconds);
        for (std::int64_t done = 0; done < total;) {
            const auto frames =
                static_cast<std::size_t>(std::min<std::int64_t>(chunkFrames, total - done));
            const std::span<float> l = std::span(left).first(frames);
            const std::span<float> r = std::span(right).first(frames);
            song.Render(l, r);
            writer.Write(l, r);
            done += static_cast<std::int64_t>(frames);
        }
        writer.Finish();
        std::printf("soundtrack: wrote %s (%.3f s, %ju bytes)\n", output.string().c_str(),
                    timing::SecondsAt(total),
                    static_cast<std::uintmax_t>(std::filesystem::file_size(output)));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "soundtrack: %s\n", error.what());
        return 1;
    }
    return 0;
}
