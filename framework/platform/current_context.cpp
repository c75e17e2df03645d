// The current GL context's key, from GLX.
#include "framework/platform/current_context.h"

#include <GL/glx.h>

namespace ondra::platform {

const void* CurrentContextKey() { return glXGetCurrentContext(); }

}  // namespace ondra::platform
