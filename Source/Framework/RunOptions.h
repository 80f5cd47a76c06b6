// The command-line options beside "--nosetup": rendering a time range with a fixed-step clock,
// capturing frames and the window size.
#pragma once

#include <optional>
#include <string>

struct RunOptions {
    std::string captureDirectory;   // --capture DIR: one PNG of the picture area per frame
    std::string videoFile;          // --video FILE: the rendered range as H.264 with the music
    double framesPerSecond = 30.0;  // --fps N, for the fixed-step clock
    unsigned width = 0, height = 0; // --size WxH: the window and back buffer; 0 keeps the default
    std::optional<double> from;     // --from T: render from T with the fixed-step clock...
    std::optional<double> to;       // --to T: ...up to T (excluded), then quit

    bool FixedStep() const { return from.has_value() || to.has_value() || !videoFile.empty(); }

    // Reads the options from the command line; an unknown option or a bad value gives nullopt
    // with the reason in `error`. "--nosetup" and "--help" are accepted and left to the caller.
    static std::optional<RunOptions> Parse(const std::string& commandLine, std::string* error);
};

extern const char* const kRunOptionsUsage;
