// Write permission on Windows: a file marked read-only refuses writes
// (folders carry the mark without meaning it).
#include "framework/platform/write_permission.h"

#include <windows.h>

#include <cerrno>

namespace ondra::platform {

int WriteRefusal(const char* path) {
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return ENOENT;
    if ((attributes & FILE_ATTRIBUTE_READONLY) && !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return EACCES;
    return 0;
}

}  // namespace ondra::platform
