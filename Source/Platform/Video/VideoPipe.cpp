#include "Platform/Video/VideoPipe.h"

#include <csignal>
#include <sys/wait.h>

std::unique_ptr<VideoPipe> VideoPipe::Open(const std::string& command) {
    // A process that stops reading must make writes fail, not end this process.
    std::signal(SIGPIPE, SIG_IGN);
    FILE* stream = popen(command.c_str(), "w");
    if (stream == nullptr) return nullptr;
    return std::unique_ptr<VideoPipe>(new VideoPipe(stream));
}

VideoPipe::~VideoPipe() {
    Close();
}

bool VideoPipe::Write(const void* data, std::size_t bytes) {
    return pipe != nullptr && std::fwrite(data, 1, bytes, pipe) == bytes;
}

int VideoPipe::Close() {
    if (pipe == nullptr) return -1;
    const int status = pclose(pipe);
    pipe = nullptr;
    if (status == -1 || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}
