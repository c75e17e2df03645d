// File descriptors of the C runtime on Windows.
#include "framework/platform/descriptors.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <climits>

namespace ondra::platform::descriptors {

int Duplicate(int fd) { return _dup(fd); }

bool Redirect(int source, int target) { return _dup2(source, target) == 0; }

void Close(int fd) { _close(fd); }

bool Rewind(int fd) { return _lseek(fd, 0, SEEK_SET) == 0; }

long Read(int fd, char* buffer, std::size_t size) {
    return _read(fd, buffer, static_cast<unsigned>(size < UINT_MAX ? size : UINT_MAX));
}

// The system deletes the file when its last descriptor closes; binary, so
// that what was printed comes back byte for byte.
int AnonymousFile() {
    char folder[MAX_PATH + 1], path[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH || !GetTempFileNameA(folder, "out", 0, path)) return -1;
    const int fd = _open(path, _O_RDWR | _O_BINARY | _O_TEMPORARY | _O_NOINHERIT, _S_IREAD | _S_IWRITE);
    if (fd < 0) DeleteFileA(path);
    return fd;
}

}  // namespace ondra::platform::descriptors
