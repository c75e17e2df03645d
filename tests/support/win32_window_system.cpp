// The Win32 port's answers: the session's desktop is always there, the
// keyboard (not SendInput) makes the repeats, injected keys are virtual-key
// codes no layout moves, and every Windows (and Wine) has Tahoma.
#include "tests/support/window_system.h"

namespace ondra::test {

const char* WhyNoDisplayCanBeMissing() { return "a Windows session always has its desktop"; }

void PointAtMissingDisplay() {}

const char* MissingDisplayMessage() { return ""; }

const char* WhyHeldKeysDoNotRepeat() { return "a key held through SendInput does not repeat"; }

const char* WhyTheLayoutIsFixed() {
    return "injected keys are virtual-key codes, which no layout moves; "
           "Win32Port.KeysReachTheHandlerByLabelAndTheStateByPlace checks the rule with the system's key messages";
}

const char* InstalledFontFace() { return "Tahoma"; }

}  // namespace ondra::test
