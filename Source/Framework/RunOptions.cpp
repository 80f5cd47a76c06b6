#include "Framework/RunOptions.h"

#include <cstdio>
#include <sstream>
#include <vector>

const char* const kRunOptionsUsage =
    "Usage: lumenvale [options]\n"
    "  --nosetup        skip the setup dialog: windowed 1280 x 800, no vsync\n"
    "  --size WxH       window and back buffer size (with --nosetup)\n"
    "  --from T         render from T seconds with a fixed-step clock instead of the music\n"
    "  --to T           ...and stop before T seconds (default: the end of the show)\n"
    "  --fps N          frames per second of the fixed-step clock (default 30)\n"
    "  --capture DIR    write each frame's picture as DIR/frame_NNNNN.png\n"
    "  --video FILE     render the range (fixed-step clock) to an MP4 with the music (ffmpeg)\n"
    "  --help           print this text\n"
    "Keys: Escape quits.\n";

namespace {

bool ReadSeconds(const std::string& text, double& value) {
    char rest = 0;
    return std::sscanf(text.c_str(), "%lf%c", &value, &rest) == 1 && value >= 0.0;
}

} // namespace

std::optional<RunOptions> RunOptions::Parse(const std::string& commandLine, std::string* error) {
    std::istringstream stream(commandLine);
    std::vector<std::string> words;
    for (std::string word; stream >> word;)
        words.push_back(word);

    RunOptions options;
    const auto fail = [&](const std::string& reason) {
        if (error) *error = reason;
        return std::optional<RunOptions>();
    };
    for (size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (word == "--nosetup" || word == "--help") continue;
        const bool takesValue = word == "--capture" || word == "--video" || word == "--fps" ||
                                word == "--size" || word == "--from" || word == "--to";
        if (!takesValue) return fail("unknown option " + word);
        if (i + 1 == words.size()) return fail(word + " needs a value");
        const std::string& value = words[++i];
        double seconds = 0.0;
        if (word == "--capture") {
            options.captureDirectory = value;
        } else if (word == "--video") {
            options.videoFile = value;
        } else if (word == "--size") {
            char rest = 0;
            if (std::sscanf(value.c_str(), "%ux%u%c", &options.width, &options.height, &rest) !=
                    2 ||
                options.width < 16 || options.height < 16 || options.width > 8192 ||
                options.height > 8192)
                return fail("--size wants WxH, for example 640x360");
            if (options.width * 9 / 16 > options.height)
                return fail("--size: the 16:9 picture must fit, so W x 9 / 16 <= H");
        } else if (!ReadSeconds(value, seconds)) {
            return fail(word + " wants a number of seconds, not " + value);
        } else if (word == "--fps") {
            if (seconds < 1.0 || seconds > 1000.0) return fail("--fps wants 1 to 1000");
            options.framesPerSecond = seconds;
        } else if (word == "--from") {
            options.from = seconds;
        } else {
            options.to = seconds;
        }
    }
    if (options.from && options.to && *options.to <= *options.from)
        return fail("--to must come after --from");
    return options;
}
