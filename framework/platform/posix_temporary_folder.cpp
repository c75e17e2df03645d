// Temporary folders on POSIX systems: mkdtemp, mode 0700.
#include "framework/platform/temporary_folder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

namespace ondra::platform {

std::string MakeTemporaryFolder(const std::string& prefix, std::string& error) {
    std::error_code noTemp;
    std::string pattern = (std::filesystem::temp_directory_path(noTemp) / (prefix + "XXXXXX")).string();
    if (noTemp || !mkdtemp(pattern.data())) {
        error = pattern + ": " + (noTemp ? noTemp.message() : std::strerror(errno));
        return std::string();
    }
    return pattern;
}

}  // namespace ondra::platform
