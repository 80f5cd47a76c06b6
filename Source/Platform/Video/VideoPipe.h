// A pipe into an encoder process: the command runs through the shell and reads raw frames on its
// standard input.
#pragma once

#include <cstddef>
#include <cstdio>
#include <memory>
#include <string>

class VideoPipe {
public:
    // Null when the shell could not be started.
    static std::unique_ptr<VideoPipe> Open(const std::string& command);
    ~VideoPipe();
    VideoPipe(const VideoPipe&) = delete;
    VideoPipe& operator=(const VideoPipe&) = delete;

    // False once the process has stopped reading.
    bool Write(const void* data, std::size_t bytes);
    // Waits for the process; its exit status, -1 when it could not be waited for.
    int Close();

private:
    explicit VideoPipe(FILE* stream) : pipe(stream) {}

    FILE* pipe;
};
