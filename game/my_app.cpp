// The game's application.
#include "game/my_app.h"

#include <chrono>
#include <csignal>

#include "framework/platform/end_signals.h"

namespace {

volatile std::sig_atomic_t caughtSignal = 0;
// When the first interrupt came, in milliseconds of the steady clock
// (wrapped to fit).
volatile std::sig_atomic_t caughtAtMs = 0;

// A repeat sooner than this is the same interrupt: timeout(1) and shells
// relay one Ctrl-C both to the program and to its process group.
constexpr int kRepeatMs = 1000;

int NowMs() {
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<int>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count() & 0x3fffffff);
}

extern "C" void NoteInterrupt(int signalNumber) {
    const int now = NowMs();
    if (caughtSignal == 0) {
        caughtSignal = signalNumber;
        caughtAtMs = now;
        return;
    }
    // A second one, later, is not waited for: a run stuck before its next
    // idle moment still ends.
    if (((now - caughtAtMs) & 0x3fffffff) < kRepeatMs) return;
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

}  // namespace

MyApp::~MyApp() = default;

void MyApp::EndOnInterrupt() {
    ondra::platform::CatchEndSignals(NoteInterrupt);
}

void MyApp::RaiseCaughtInterrupt() {
    const int signalNumber = caughtSignal;
    if (signalNumber == 0) return;
    std::signal(signalNumber, SIG_DFL);
    std::raise(signalNumber);
}

void MyApp::OnIdle() {
    if (caughtSignal != 0) window.Close();
}
