// The end signals of a POSIX system.
#include <csignal>

#include "framework/platform/end_signals.h"

namespace ondra::platform {

void CatchEndSignals(void (*handler)(int signalNumber)) {
    std::signal(SIGINT, handler);
    std::signal(SIGTERM, handler);
    std::signal(SIGHUP, handler);
}

}  // namespace ondra::platform
