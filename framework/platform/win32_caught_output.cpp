// Catching standard output and error on Windows: the C runtime's
// descriptors 1 and 2 duplicated onto a temporary file the system deletes
// when it is closed, and back.
#include "framework/platform/caught_output.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cstdio>

namespace ondra::platform {

namespace {

std::string ReadAll(int fd) {
    std::string text;
    if (fd < 0 || _lseek(fd, 0, SEEK_SET) < 0) return text;
    char buffer[4096];
    for (;;) {
        const int n = _read(fd, buffer, sizeof buffer);
        if (n <= 0) break;
        text.append(buffer, static_cast<size_t>(n));
    }
    return text;
}

int TemporaryFile() {
    char folder[MAX_PATH + 1], path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH || !GetTempFileNameA(folder, "out", 0, path)) return -1;
    // Binary, so that what was printed comes back byte for byte.
    const int fd = _open(path, _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) DeleteFileA(path);
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
        saved[stream] = _dup(fd);
        if (saved[stream] < 0 || _dup2(caught[stream], fd) < 0) {
            if (saved[stream] >= 0) _close(saved[stream]);
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
            _dup2(saved[stream], stream + 1);
            _close(saved[stream]);
            saved[stream] = -1;
            *texts[stream] = ReadAll(caught[stream]);
        }
        if (caught[stream] >= 0) _close(caught[stream]);
        caught[stream] = -1;
    }
}

CaughtOutput::~CaughtOutput() {
    std::string out, err;
    Release(out, err);
}

}  // namespace ondra::platform
