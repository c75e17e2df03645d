// The X11 port's answers: a display is named by DISPLAY, the server repeats
// a held key and loads layouts, and xfonts-base (which the build installs)
// has "fixed" at 13 pixels.
#include <cstdlib>

#include "tests/support/window_system.h"

namespace ondra::test {

const char* WhyNoDisplayCanBeMissing() { return nullptr; }

void PointAtMissingDisplay() { setenv("DISPLAY", ":4242", 1); }

const char* MissingDisplayMessage() { return "Cannot open X display \":4242\""; }

const char* WhyHeldKeysDoNotRepeat() { return nullptr; }

const char* WhyTheLayoutIsFixed() { return nullptr; }

const char* InstalledFontFace() { return "fixed"; }

}  // namespace ondra::test
