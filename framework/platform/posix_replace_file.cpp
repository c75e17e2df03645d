// Replacing files on POSIX systems: a temporary file beside the
// destination, flushed to the disk and renamed over it.
#include "framework/platform/replace_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <string>

#include "framework/platform/write_permission.h"

namespace ondra::platform {

namespace {

// Devices and FIFOs have nothing to replace and must survive a failed
// write, so they are written in place. O_NONBLOCK makes a FIFO nobody
// reads fail instead of hanging; writes block again once it is open.
bool WriteInPlace(const char* fileName, const std::function<bool(int fd)>& write) {
    const int fd = open(fileName, O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return false;
    const int flags = fcntl(fd, F_GETFL);
    bool ok = flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 && write(fd);
    ok = close(fd) == 0 && ok;
    return ok;
}

// A fresh file in `target`'s folder, so that the final rename stays on one
// file system and is atomic; its name is left in `temporary`.
int CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + ".image-save-" + std::to_string(getpid()) + "-" + std::to_string(counter++) +
                    ".tmp";
        const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes beside the destination and renames over it when complete: a full
// disk or a crash part way leaves the old file, which may be the very
// picture being converted, untouched.
bool WriteBeside(const char* fileName, const struct stat* existing, const std::function<bool(int fd)>& write) {
    // Through a symbolic link the file it names is replaced, not the link.
    std::string target = fileName;
    if (existing) {
        char resolved[PATH_MAX];
        if (realpath(fileName, resolved)) target = resolved;
    }
    // A rename needs only the folder's permission: a file the user may not
    // write is refused, as writing it in place would be.
    if (existing) {
        const int refusal = WriteRefusal(target.c_str());
        if (refusal != 0) {
            errno = refusal;
            return false;
        }
    }
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    bool ok = true;
    // The replacement keeps the permissions the old file had.
    if (existing) ok = fchmod(fd, existing->st_mode & 07777) == 0;
    ok = ok && write(fd) && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) unlink(temporary.c_str());
    return ok;
}

// Whether the file is where standard output goes (/dev/stdout, or the file
// it was sent to by name).
bool IsStandardOutput(const struct stat& named) {
    struct stat out;
    return fstat(STDOUT_FILENO, &out) == 0 && out.st_dev == named.st_dev && out.st_ino == named.st_ino;
}

// Replacing that file would take the program's output from under it, and
// opening it anew would write over its start: the bytes join standard
// output where it stands.
bool WriteToStandardOutput(const std::function<bool(int fd)>& write) {
    const int fd = dup(STDOUT_FILENO);
    if (fd < 0) return false;
    const bool ok = write(fd);
    return close(fd) == 0 && ok;
}

}  // namespace

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t written = write(fd, next, size);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool WriteReplacing(const char* fileName, const std::function<bool(int fd)>& write) {
    struct stat info;
    const bool exists = stat(fileName, &info) == 0;
    if (exists && IsStandardOutput(info)) return WriteToStandardOutput(write);
    if (exists && !S_ISREG(info.st_mode)) return WriteInPlace(fileName, write);
    return WriteBeside(fileName, exists ? &info : nullptr, write);
}

}  // namespace ondra::platform
