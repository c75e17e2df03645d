// Temporary folders on Windows, which has no mkdtemp: a random name, tried
// until CreateDirectoryA makes a folder nobody had.
#include "framework/platform/temporary_folder.h"

#include <windows.h>

#include <random>

namespace ondra::platform {

std::string MakeTemporaryFolder(const std::string& prefix, std::string& error) {
    char base[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof base, base);
    if (length == 0 || length > MAX_PATH) {
        error = "no temporary folder";
        return std::string();
    }
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string path = std::string(base, length) + prefix + std::to_string(random() % 1000000000u);
        if (CreateDirectoryA(path.c_str(), nullptr)) return path;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            error = path + ": error " + std::to_string(GetLastError());
            return std::string();
        }
    }
    error = "no free name under " + std::string(base, length);
    return std::string();
}

}  // namespace ondra::platform
