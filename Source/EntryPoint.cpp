// The process entry: the command line as one text, as the Windows entry point receives it.
#include "Framework/RunOptions.h"
#include "Main.h"

#include <cstdio>
#include <cstring>
#include <string>

int main(int argc, char** argv) {
    std::string commandLine;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::fputs(kRunOptionsUsage, stdout);
            return 0;
        }
        if (!commandLine.empty()) commandLine += ' ';
        commandLine += argv[i];
    }
    std::string error;
    if (!RunOptions::Parse(commandLine, &error)) {
        std::fprintf(stderr, "lumenvale: %s\n%s", error.c_str(), kRunOptionsUsage);
        return 2;
    }
    return LumenvaleMain(GetModuleHandle(nullptr), commandLine.c_str());
}
