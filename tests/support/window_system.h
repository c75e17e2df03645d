// Test support: what the window system under the tests can and cannot be
// made to do, answered by each port's half, so the tests themselves carry
// no system names.
#pragma once

namespace ondra::test {

// Why a display the program cannot reach cannot be set up here, or null
// where it can (an X11 display name points anywhere; a Windows session
// always has its desktop).
const char* WhyNoDisplayCanBeMissing();

// Points the next window at a display nobody serves. Only called where
// WhyNoDisplayCanBeMissing() is null.
void PointAtMissingDisplay();

// The message the port prints when that display cannot be opened.
const char* MissingDisplayMessage();

// Why a key held through the test's injection does not repeat, or null
// where it does.
const char* WhyHeldKeysDoNotRepeat();

// Why the keyboard layout the tests inject through cannot be switched,
// or null where it can.
const char* WhyTheLayoutIsFixed();

// A font face every test machine of the system has.
const char* InstalledFontFace();

}  // namespace ondra::test
