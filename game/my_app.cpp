// The game's application.
#include "game/my_app.h"

#include <csignal>

namespace {

volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void NoteInterrupt(int signalNumber) {
    caughtSignal = signalNumber;
    // The next one is not waited for: a run stuck before its next idle
    // moment still ends.
    std::signal(signalNumber, SIG_DFL);
}

}  // namespace

MyApp::~MyApp() = default;

void MyApp::EndOnInterrupt() {
    std::signal(SIGINT, NoteInterrupt);
    std::signal(SIGTERM, NoteInterrupt);
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
