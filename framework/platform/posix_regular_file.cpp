// Opening files for reading on POSIX systems without ever blocking on what
// is not a file.
#include "framework/platform/regular_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

namespace ondra::platform {

namespace {

FileKind KindOf(mode_t mode) {
    if (S_ISREG(mode)) return FileKind::kRegular;
    if (S_ISDIR(mode)) return FileKind::kDirectory;
    if (S_ISFIFO(mode)) return FileKind::kFifo;
    if (S_ISCHR(mode)) return FileKind::kCharacterDevice;
    if (S_ISBLK(mode)) return FileKind::kBlockDevice;
    if (S_ISSOCK(mode)) return FileKind::kSocket;
    return FileKind::kOther;
}

}  // namespace

std::FILE* OpenRegularFile(const char* fileName, FileKind* found) {
    FileKind ignored;
    FileKind& kind = found ? *found : ignored;
    kind = FileKind::kMissing;
    if (!fileName) {
        errno = EINVAL;
        return nullptr;
    }
    // O_NONBLOCK keeps the open itself from waiting for a FIFO's writer;
    // only after fstat do we know what was opened. It changes nothing for
    // reads from a regular file, so it stays set.
    const int fd = open(fileName, O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    struct stat info;
    const bool known = fstat(fd, &info) == 0;
    if (known) kind = KindOf(info.st_mode);
    if (!known || kind != FileKind::kRegular) {
        const int reason = !known ? errno : kind == FileKind::kDirectory ? EISDIR : EINVAL;
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

}  // namespace ondra::platform
