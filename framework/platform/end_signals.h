// The signals that ask a program to end: what a program that writes its
// files at the end must catch, so that it ends as if its window had been
// closed.
#pragma once

namespace ondra::platform {

// Sends every such signal to `handler`: Ctrl-C (SIGINT) and SIGTERM
// everywhere, and on POSIX systems SIGHUP too, which a closed terminal
// sends.
void CatchEndSignals(void (*handler)(int signalNumber));

}  // namespace ondra::platform
