// The program's path on Windows, from the module table.
#include "framework/platform/program_path.h"

#include <windows.h>

#include <vector>

namespace ondra::platform {

// The name may be longer than MAX_PATH; the buffer grows until it fits.
std::string ProgramPath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        if (buffer.size() >= 32768) return std::string();
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace ondra::platform
