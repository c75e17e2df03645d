// File descriptors on POSIX systems.
#include "framework/platform/descriptors.h"

#include <unistd.h>

#include <cstdlib>
#include <string>

namespace ondra::platform::descriptors {

int Duplicate(int fd) { return dup(fd); }

bool Redirect(int source, int target) { return dup2(source, target) >= 0; }

void Close(int fd) { close(fd); }

bool Rewind(int fd) { return lseek(fd, 0, SEEK_SET) == 0; }

long Read(int fd, char* buffer, std::size_t size) { return static_cast<long>(read(fd, buffer, size)); }

// Unlinked as soon as it is made: only the descriptor leads to it.
int AnonymousFile() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = std::string(folder && *folder ? folder : "/tmp") + "/caught-output-XXXXXX";
    const int fd = mkstemp(path.data());
    if (fd >= 0) unlink(path.c_str());
    return fd;
}

}  // namespace ondra::platform::descriptors
