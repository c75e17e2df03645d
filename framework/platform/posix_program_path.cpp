// The program's path on Linux, where the kernel shows it as a link.
#include "framework/platform/program_path.h"

#include <filesystem>

namespace ondra::platform {

std::string ProgramPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

}  // namespace ondra::platform
