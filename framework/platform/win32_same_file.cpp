// One file or two, on Windows: by the volume's serial number and the
// file's index on it, which the system keeps for every file and folder.
#include "framework/platform/same_file.h"

#include <windows.h>

namespace ondra::platform {

namespace {

// Opens the file only to ask about it: no access to its contents, and
// every kind of sharing, so that a file open elsewhere is found too.
// FILE_FLAG_BACKUP_SEMANTICS lets a folder be opened as well.
bool Identify(const char* name, BY_HANDLE_FILE_INFORMATION& info) {
    const HANDLE file = CreateFileA(name, 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const bool known = GetFileInformationByHandle(file, &info) != 0;
    CloseHandle(file);
    return known;
}

}  // namespace

bool SameFile(const char* a, const char* b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    return Identify(a, first) && Identify(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

}  // namespace ondra::platform
