// Catching standard output and error: each descriptor duplicated onto an
// anonymous temporary file, and back.
#include "framework/platform/caught_output.h"

#include <cstdio>

#include "framework/platform/descriptors.h"

namespace ondra::platform {

namespace {

std::string ReadAll(int fd) {
    std::string text;
    if (fd < 0 || !descriptors::Rewind(fd)) return text;
    char buffer[4096];
    for (;;) {
        const long n = descriptors::Read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<std::size_t>(n));
    }
    return text;
}

}  // namespace

CaughtOutput::CaughtOutput() {
    std::fflush(stdout);
    std::fflush(stderr);
    for (int stream = 0; stream < 2; ++stream) {
        const int fd = stream + 1;
        caught[stream] = descriptors::AnonymousFile();
        if (caught[stream] < 0) continue;
        saved[stream] = descriptors::Duplicate(fd);
        if (saved[stream] < 0 || !descriptors::Redirect(caught[stream], fd)) {
            if (saved[stream] >= 0) descriptors::Close(saved[stream]);
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
            descriptors::Redirect(saved[stream], stream + 1);
            descriptors::Close(saved[stream]);
            saved[stream] = -1;
            *texts[stream] = ReadAll(caught[stream]);
        }
        if (caught[stream] >= 0) descriptors::Close(caught[stream]);
        caught[stream] = -1;
    }
}

CaughtOutput::~CaughtOutput() {
    std::string out, err;
    Release(out, err);
}

}  // namespace ondra::platform
