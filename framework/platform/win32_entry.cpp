// The windowed entry of programs built on the framework: a program linked
// as a Windows (not console) program starts here. Its messages then go to
// message boxes, since there is no console to print them on.
#include <windows.h>

#include <cstdlib>

#include "framework/main.h"
#include "framework/trace.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    ondra::Trace("WinMain\n");
    ondra::Main::Instance()->SetConsole(false);
    return ondra::Main::Instance()->Execute(__argc, __argv);
}
