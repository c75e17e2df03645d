// MyApp: the game's application. Its one member is the game window, made
// with the application and gone with it; the framework's App does the rest.
// An interrupt (Ctrl-C, SIGTERM, SIGHUP) ends the run as closing the window does,
// so its outputs are written, and then ends the program as the signal
// would have.
#pragma once

#include "framework/main.h"
#include "game/my_window.h"

class MyApp : public ondra::App {
public:
    ~MyApp() override;

    // From now on the first SIGINT, SIGTERM or SIGHUP (the terminal was
    // closed) closes the window; a second one, a second or more later,
    // ends the program at once.
    static void EndOnInterrupt();
    // Ends the program by the signal caught, if one was.
    static void RaiseCaughtInterrupt();

    void OnIdle() override;

    MyWindow window;
};
