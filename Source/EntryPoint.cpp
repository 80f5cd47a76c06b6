// The process entry: the command line as one text, as the Windows entry point receives it.
#include "Main.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

constexpr const char* kUsage = "Usage: lumenvale [--nosetup] [--help]\n"
                               "  --nosetup  skip the setup dialog: windowed 1280 x 800, no vsync\n"
                               "  --help     print this text\n"
                               "Keys: Escape quits.\n";

} // namespace

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kUsage, stdout);
            return 0;
        }
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += argv[i];
    }
    return LumenvaleMain(GetModuleHandle(nullptr), commandLine.c_str());
}
