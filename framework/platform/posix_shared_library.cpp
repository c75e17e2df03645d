// Opening libraries at run time on POSIX systems: dlopen, every symbol
// bound at once so that a broken library fails here, not in the middle of
// play.
#include "framework/platform/shared_library.h"

#include <dlfcn.h>

namespace ondra::platform {

SharedLibrary::~SharedLibrary() { Close(); }

bool SharedLibrary::Open(const std::string& name) {
    Close();
    handle_ = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_) {
        error_.clear();
        return true;
    }
    const char* reason = dlerror();
    error_ = reason ? reason : name + ": cannot be opened";
    return false;
}

// The library stays mapped until the process ends: a sound library and
// the drivers it loads keep threads and caches that do not survive being
// unloaded, and the leak checker can name only what is still mapped.
void SharedLibrary::Close() {
    handle_ = nullptr;
}

void* SharedLibrary::Symbol(const char* name) const {
    return handle_ ? dlsym(handle_, name) : nullptr;
}

}  // namespace ondra::platform
