// The identity of the GL context current on this thread, for code that
// keeps GL objects per context without knowing the window system.
#pragma once

namespace ondra::platform {

// An opaque key of the current GL context; null when none is current. A
// key is never handed out again after its context is destroyed.
const void* CurrentContextKey();

}  // namespace ondra::platform
