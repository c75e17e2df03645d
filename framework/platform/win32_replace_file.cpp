// Replacing files on Windows: a temporary file beside the destination,
// committed to the disk and moved over it in one step.
#include "framework/platform/replace_file.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <string>

namespace ondra::platform {

namespace {

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

int CreateTemporary(const std::string& target, std::string& temporary) {
    static std::atomic<unsigned> counter{0};
    std::size_t end = target.size();
    while (end > 0 && !IsSeparator(target[end - 1])) --end;
    const std::string folder = target.substr(0, end);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + ".image-save-" + std::to_string(_getpid()) + "-" + std::to_string(counter++) + ".tmp";
        const int fd = _open(temporary.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                             _S_IREAD | _S_IWRITE);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool WriteAll(int fd, const void* data, std::size_t size) {
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        // The system's count is an unsigned int.
        const int written = _write(fd, next, static_cast<unsigned>(std::min<std::size_t>(size, 1u << 30)));
        if (written <= 0) return false;
        next += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Devices (NUL, CON) are no files to replace; the system refuses to move a
// file onto them, so writing them fails without harm.
bool WriteReplacing(const char* fileName, const std::function<bool(int fd)>& write) {
    const std::string target = fileName;
    std::string temporary;
    const int fd = CreateTemporary(target, temporary);
    if (fd < 0) return false;
    bool ok = write(fd) && _commit(fd) == 0;
    ok = _close(fd) == 0 && ok;
    ok = ok && MoveFileExA(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!ok) DeleteFileA(temporary.c_str());
    return ok;
}

}  // namespace ondra::platform
