// Catching standard output and error on POSIX systems: each descriptor
// duplicated onto an unlinked temporary file, and back.
#include "framework/platform/caught_output.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace ondra::platform {

namespace {

std::string ReadAll(int fd) {
    std::string text;
    if (fd < 0 || lseek(fd, 0, SEEK_SET) < 0) return text;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

int TemporaryFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder && *folder ? folder : "/tmp") + "/caught-output-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd >= 0) unlink(path.c_str());
    return fd;
}

}  // namespace

CaughtOutput::CaughtOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    for (int stream = 0; stream < 2; ++stream) {
        const int fd = stream + 1;
        caught[stream] = TemporaryFile();
        if (caught[stream] < 0) continue;
        saved[stream] = dup(fd);
        if (saved[stream] < 0 || dup2(caught[stream], fd) < 0) {
            if (saved[stream] >= 0) close(saved[stream]);
            saved[stream] = -1;
        }
    }
}

void CaughtOutput::Release(std::string& out, std::string& err) {
    std::fflush(stdout);
    std::fflush(stderr);
    std::string* texts[2] = {&out, &err};
    for (int stream = 0; stream < 2; ++stream) {
        texts[stream]->clear();
        if (saved[stream] >= 0) {
            dup2(saved[stream], stream + 1);
            close(saved[stream]);
            saved[stream] = -1;
            *texts[stream] = ReadAll(caught[stream]);
        }
        if (caught[stream] >= 0) close(caught[stream]);
        caught[stream] = -1;
    }
}

CaughtOutput::~CaughtOutput() {
    std::string out, err;
    Release(out, err);
}

}  // namespace ondra::platform
