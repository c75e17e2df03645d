// The framework's process skeleton: the Main singleton with the window list
// and the message loop, the App base class a program derives its
// application from, and the framework's small free functions.
#pragma once

#include <vector>

#include "framework/message_queue.h"
#include "framework/messages.h"
#include "framework/printf_check.h"

namespace ondra {

class App;
class WindowEx;

class Main {
public:
    // The singleton, created on first use and deleted at process exit.
    static Main* Instance();
    // The singleton if it exists (and has not been deleted), else null.
    static Main* Existing();

    virtual ~Main();

    // Runs the application: App::OnCreate, creates the listed windows, runs
    // the message loop until the quit message, App::OnDestroy. Returns the
    // quit message's exit code, -1 without an application, and 1 when
    // windows were asked for but none could be created.
    int Execute(int argc, char** argv);

    // Connects to the display once; false when that is impossible.
    bool RegisterWndClass();
    bool AddWnd(WindowEx* window);
    void DelWnd(WindowEx* window);
    bool SetMainWnd(WindowEx* window);
    WindowEx* GetMainWnd() const { return mainWnd; }
    const std::vector<WindowEx*>& Windows() const { return windows; }
    // Counts the GLWindow objects that exist, whether or not they are
    // listed (a window without a display connection is not).
    void NoteWindowConstructed(bool constructed) { windowObjects += constructed ? 1 : -1; }

    unsigned SetTimerInterval(unsigned milliseconds);
    unsigned TimerInterval() const { return timerInterval; }

    App* GetApp() const { return app; }
    void SetApp(App* application) { app = application; }
    int GetArgc() const { return argc; }
    char** GetArgv() const { return argv; }
    bool IsConsole() const { return console; }
    void SetConsole(bool isConsole) { console = isConsole; }

    MessageQueue& Queue() { return queue; }

    // What the window system hands over from inside its own calls (see
    // platform::Callbacks): a resize or paint handled at once, and a turn
    // of idle work, paints and the timer while a modal loop of the system
    // keeps the message loop from running.
    void HandleAtOnce(const platform::Event& event);
    void ModalLoopStep();

private:
    Main();
    int MessageLoop();
    void Dispatch(const Message& message);
    void Idle();
    void PaintWaitingWindows();
    bool AnyWindowLive() const;

    App* app = nullptr;
    bool registered = false;
    int argc = 0;
    char** argv = nullptr;
    std::vector<WindowEx*> windows;
    int windowObjects = 0;
    bool console = false;
    WindowEx* mainWnd = nullptr;
    unsigned timerInterval = 0;
    MessageQueue queue;
};

class App {
public:
    App();
    virtual void OnCreate();
    virtual void OnIdle() {}
    virtual void OnTimer(double systemTimeSeconds) { (void)systemTimeSeconds; }
    virtual void OnDestroy();
    virtual ~App();

    App(const App&) = delete;
    App& operator=(const App&) = delete;
};

App* GetApp();
int GetArgc();
// argv[i], or "" outside 0 .. argc - 1.
const char* GetArg(int i);
// Closes the main window, which ends the message loop.
void Quit();
unsigned SetTimerInterval(unsigned milliseconds);
unsigned TimerInterval();

// printf-style message: standard output in a console program, standard
// error otherwise. Messages longer than 1,023 characters are dropped.
int ShowMessage(const char* format, ...) ONDRA_PRINTF(1, 2);
// Trace lines of the framework appear while the level is non-zero.
void SetTrace(int level);

// Monotonic system time in seconds.
double GetTime();
// Seconds since the previous call; the first call returns 0.02.
double GetElapsedTime();

bool IsShiftDown();
bool IsCtrlDown();
bool IsAltDown();
// Letters and digits by their place on the keyboard, whatever the layout:
// IsKeyDown('W') is the key where a US keyboard has W, so movement keys stay
// under the left hand on any layout. OnKeyboard instead gets the letter the
// layout prints on the key.
bool IsKeyDown(int virtualKey);

// Moves the mouse pointer to a point of the screen.
void SetCursorPos(int screenX, int screenY);

}  // namespace ondra
