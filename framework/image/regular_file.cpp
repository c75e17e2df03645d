// Opening files for reading without ever blocking on what is not a file.
#include "framework/image/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ondra {

namespace {

#ifdef _WIN32
// Windows has no FIFOs to wait for; binary mode keeps the bytes as stored.
constexpr int kReadFlags = O_RDONLY | O_BINARY | O_NOINHERIT;
#else
constexpr int kReadFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
#endif

}  // namespace

std::FILE* OpenRegularFile(const char* fileName) {
    if (!fileName) {
        errno = EINVAL;
        return nullptr;
    }
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer;
    // only after fstat do we know what was opened. It changes nothing for
    // reads from a regular file, so it stays set.
    const int fd = open(fileName, kReadFlags);
    struct stat info;
    if (fd < 0) {
        // Windows refuses to open a folder at all ("permission denied"):
        // name it a folder there too, as POSIX's fstat below does.
        const int reason = errno;
        errno = stat(fileName, &info) == 0 && S_ISDIR(info.st_mode) ? EISDIR : reason;
        return nullptr;
    }
    const bool known = fstat(fd, &info) == 0;
    if (!known || !S_ISREG(info.st_mode)) {
        const int reason = !known ? errno : S_ISDIR(info.st_mode) ? EISDIR : EINVAL;
        close(fd);
        errno = reason;
        return nullptr;
    }
    std::FILE* file = fdopen(fd, "rb");
    if (!file) {
        const int reason = errno;
        close(fd);
        errno = reason;
    }
    return file;
}

}  // namespace ondra
