// The current GL context's key. Keys come from a serial number given to
// each context the port creates, so a context created later at the address
// of a destroyed one still gets a key of its own.
#include "framework/platform/current_context.h"

#include <cstdint>

#include "framework/platform/x11_internal.h"

namespace ondra::platform {

const void* CurrentContextKey() {
    GLXContext context = glXGetCurrentContext();
    if (!context) return nullptr;
    const Window* owner = FindWindowByContext(context);
    if (!owner) return context;  // a context made outside the framework
    return reinterpret_cast<const void*>(static_cast<std::uintptr_t>(owner->contextSerial));
}

}  // namespace ondra::platform
