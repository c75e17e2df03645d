// Synthetic input: real key, button and pointer events sent through the X
// server (XTEST), as if a person had used the keyboard and mouse. Tests and
// automation use it to drive windows end to end; tests also provoke here
// what other programs or a failing driver could do to a window.
#pragma once

namespace ondra::platform {

bool CanInjectInput();
// Presses or releases the key that produces this virtual-key code.
bool InjectKey(int virtualKey, bool down);
// Button 0 left, 1 middle, 2 right; 3 and 4 are the wheel.
bool InjectButton(int button, bool down);
bool InjectPointerMove(int screenX, int screenY);

}  // namespace ondra::platform

namespace ondra::platform {

struct Window;
// Destroys the window's X window through a second connection, as another
// program (or a window manager) could.
bool DestroyWindowFromOutside(const Window* window);
// Maps a window of a second connection and gives it the input focus, as
// another program taking the focus would; returns once the server has done
// so. EndFocusFromOutside destroys that window.
bool TakeFocusFromOutside();
void EndFocusFromOutside();

// The cursor last defined on the window (0 hidden, 1 arrow, 2 cross, 3
// wait), or -1 when it has none of its own and shows the root window's.
int DefinedCursor(const Window* window);
// Whether a window manager runs on the display and has announced itself.
bool WindowManagerRunning();
// Whether the program runs under Wine rather than on Windows itself, for
// tests that mark what Wine lacks; false on the X11 port.
bool RunningUnderWine();

// Minimises the window, or restores it, as the player does with the
// buttons of its frame; on X11 the window manager does it, if one runs.
bool MinimizeWindow(Window* window);
bool RestoreWindow(Window* window);

// Makes the next CreateWindow fail at its GL context, as a driver that
// refuses the chosen configuration would. Lives with the windows, so it
// needs no more than the framework.
void FailNextContextCreation();

}  // namespace ondra::platform
