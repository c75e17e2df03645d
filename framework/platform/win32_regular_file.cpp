// Opening files for reading on Windows: its file system has no FIFOs to
// wait for, but a name can still lead to a device (NUL, CON) or a folder,
// which the system refuses to open at all.
#include "framework/platform/regular_file.h"

#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <string>

namespace ondra::platform {

namespace {

FileKind KindOf(unsigned short mode) {
    switch (mode & _S_IFMT) {
        case _S_IFREG: return FileKind::kRegular;
        case _S_IFDIR: return FileKind::kDirectory;
        case _S_IFIFO: return FileKind::kFifo;
        case _S_IFCHR: return FileKind::kCharacterDevice;
    }
    return FileKind::kOther;
}

// Whether the name leads to a folder. The C runtime's stat finds no folder
// named with a separator at its end ("maps/"), so that goes first; a
// drive's root keeps its own.
bool IsFolder(const char* fileName) {
    std::string name = fileName;
    while (name.size() > 1 && (name.back() == '/' || name.back() == '\\') && name[name.size() - 2] != ':')
        name.pop_back();
    struct _stat64 info;
    return _stat64(name.c_str(), &info) == 0 && (info.st_mode & _S_IFMT) == _S_IFDIR;
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
    // Binary mode keeps the bytes as stored.
    const int fd = _open(fileName, _O_RDONLY | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        // Windows refuses to open a folder ("permission denied"): name it a
        // folder, as POSIX's fstat does.
        const int reason = errno;
        const bool folder = IsFolder(fileName);
        if (folder) kind = FileKind::kDirectory;
        errno = folder ? EISDIR : reason;
        return nullptr;
    }
    struct _stat64 info;
    const bool known = _fstat64(fd, &info) == 0;
    if (known) kind = KindOf(info.st_mode);
    if (!known || kind != FileKind::kRegular) {
        const int reason = !known ? errno : kind == FileKind::kDirectory ? EISDIR : EINVAL;
        _close(fd);
        errno = reason;
        return nullptr;
    }
    std::FILE* file = _fdopen(fd, "rb");
    if (!file) {
        const int reason = errno;
        _close(fd);
        errno = reason;
    }
    return file;
}

}  // namespace ondra::platform
