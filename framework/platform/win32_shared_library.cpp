// Opening libraries at run time on Windows: LoadLibrary, whose search for a
// bare name starts in the program's own folder, so a DLL shipped beside the
// program wins over one installed for the system.
#include "framework/platform/shared_library.h"

#include <windows.h>

namespace ondra::platform {

namespace {

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                            FORMAT_MESSAGE_IGNORE_INSERTS,
                                        nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = length ? std::string(text, length) : "error " + std::to_string(code);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == ' '))
        message.pop_back();
    return message;
}

}  // namespace

SharedLibrary::~SharedLibrary() { Close(); }

bool SharedLibrary::Open(const std::string& name) {
    Close();
    // No dialog box about a missing DLL: the caller goes on without it.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previousMode);
    HMODULE module = LoadLibraryA(name.c_str());
    const DWORD code = GetLastError();
    SetThreadErrorMode(previousMode, nullptr);
    handle_ = reinterpret_cast<void*>(module);
    if (handle_) {
        error_.clear();
        return true;
    }
    error_ = name + ": " + SystemMessage(code);
    return false;
}

void SharedLibrary::Close() {
    if (handle_) FreeLibrary(reinterpret_cast<HMODULE>(handle_));
    handle_ = nullptr;
}

void* SharedLibrary::Symbol(const char* name) const {
    if (!handle_) return nullptr;
    return reinterpret_cast<void*>(GetProcAddress(reinterpret_cast<HMODULE>(handle_), name));
}

}  // namespace ondra::platform
