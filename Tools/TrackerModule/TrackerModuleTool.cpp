// trackermodule: writes the falling-blocks game's music as an Impulse Tracker module.
//
//   trackermodule OUTPUT.it

#include "TrackerModule/ImpulseTrackerWriter.h"
#include "TrackerModule/TrackerSong.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: trackermodule OUTPUT.it\n", stderr);
        return 2;
    }
    try {
        ImpulseTrackerWriter::Write(TrackerSong::Compose(), argv[1]);
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "trackermodule: %s\n", error.what());
        return 1;
    }
}
