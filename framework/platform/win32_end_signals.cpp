// The end signals Windows' C library raises: Ctrl-C and SIGTERM (there is
// no SIGHUP; a closed console ends the process through its control
// handler instead).
#include <csignal>

#include "framework/platform/end_signals.h"

namespace ondra::platform {

void CatchEndSignals(void (*handler)(int signalNumber)) {
    std::signal(SIGINT, handler);
    std::signal(SIGTERM, handler);
}

}  // namespace ondra::platform
