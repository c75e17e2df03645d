// Main, App and the framework's free functions: the process skeleton and
// the message loop.
#include "framework/main.h"

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "framework/format.h"
#include "framework/glwindow.h"
#include "framework/platform/platform.h"
#include "framework/trace.h"
#include "framework/window_ex.h"

namespace ondra {
namespace {

Main* self = nullptr;
double previousTime = -1.0;

void DeleteMain() {
    Main* doomed = self;
    self = nullptr;
    delete doomed;
}

// Every message the system hands a window reaches its OnWindowMessage.
void ObserveMessage(platform::Window* window, unsigned id, std::uintptr_t wParam, std::intptr_t lParam) {
    if (auto* record = static_cast<WindowEx*>(platform::GetUserData(window)))
        record->Owner()->OnWindowMessage(window, id, wParam, static_cast<LParam>(lParam));
}

void HandleAtOnce(const platform::Event& event) {
    if (Main* main = Main::Existing()) main->HandleAtOnce(event);
}

void ModalLoopStep() {
    if (Main* main = Main::Existing()) main->ModalLoopStep();
}

}  // namespace

// ---- Main ----------------------------------------------------------------

Main* Main::Instance() {
    if (!self) {
        self = new Main;
        std::atexit(DeleteMain);
    }
    return self;
}

Main* Main::Existing() { return self; }

Main::Main() { Trace("Main\n"); }

Main::~Main() { Trace("~Main\n"); }

bool Main::RegisterWndClass() {
    if (registered) return true;
    registered = platform::OpenDisplay();
    platform::Callbacks callbacks;
    callbacks.message = ObserveMessage;
    callbacks.event = ondra::HandleAtOnce;
    callbacks.idle = ondra::ModalLoopStep;
    if (registered) platform::SetCallbacks(callbacks);
    return registered;
}

bool Main::AddWnd(WindowEx* window) {
    if (!window) return false;
    if (windows.empty()) SetMainWnd(window);
    windows.push_back(window);
    return true;
}

void Main::DelWnd(WindowEx* window) {
    const auto found = std::find(windows.begin(), windows.end(), window);
    if (found != windows.end()) {
        windows.erase(found);
        Trace("Main: DelWnd erased window 0x%08lX\n", TracePointer(window));
    }
    Trace("Main: %d windows remain\n", static_cast<int>(windows.size()));
}

bool Main::SetMainWnd(WindowEx* window) {
    if (!window) return false;
    mainWnd = window;
    return true;
}

unsigned Main::SetTimerInterval(unsigned milliseconds) {
    if (milliseconds == timerInterval) return timerInterval;
    queue.SetTimer(0);
    timerInterval = 0;
    if (milliseconds != 0) {
        timerInterval = std::max(milliseconds, 10u);
        queue.SetTimer(timerInterval);
    }
    return timerInterval;
}

bool Main::AnyWindowLive() const {
    return std::any_of(windows.begin(), windows.end(), [](const WindowEx* w) { return w->IsLive(); });
}

int Main::Execute(int count, char** vector) {
    Trace("Main::Execute\n");
    if (!app) {
        ShowMessage("No application instance created, exiting.");
        return -1;
    }
    argc = count;
    argv = vector;
    app->OnCreate();

    for (std::size_t i = 0; i < windows.size(); ++i)
        if (!windows[i]->IsLive()) windows[i]->Recreate();

    int result = 0;
    if (windowObjects > 0 && !AnyWindowLive()) {
        // A loop without a window could never receive the quit message.
        std::fprintf(stderr, "No window could be created, exiting.\n");
        result = 1;
    } else if (!windows.empty()) {
        result = MessageLoop();
    } else if (!console) {
        ShowMessage("No windows were created, exiting.");
    }
    SetTimerInterval(0);
    app->OnDestroy();
    return result;
}

int Main::MessageLoop() {
    for (;;) {
        Message message;
        if (queue.Peek(windows, message)) {
            Dispatch(message);
            if (message.id == MSG_QUIT) return static_cast<int>(message.wParam);
        } else {
            Idle();
        }
    }
}

void Main::Dispatch(const Message& message) {
    if (message.window) {
        if (auto* record = static_cast<WindowEx*>(platform::GetUserData(message.window)))
            record->HandleMessage(message);
    } else if (message.id == MSG_TIMER && app) {
        app->OnTimer(static_cast<double>(message.lParam) / 1000.0);
    }
}

void Main::Idle() {
    if (app) app->OnIdle();
    for (std::size_t i = 0; i < windows.size(); ++i) windows[i]->Owner()->OnIdle();
}

// A resize runs OnResize now; an expose paints now, if the window has
// anything to paint on.
void Main::HandleAtOnce(const platform::Event& event) {
    auto* record = static_cast<WindowEx*>(platform::GetUserData(event.window));
    // A window still being made is sized by Create once it is.
    if (!record || record->Handle() != event.window) return;
    Message message;
    if (EventMessage(event, message)) {
        record->HandleMessage(message);
        return;
    }
    if (event.type == platform::EventType::kExpose && record->NeedsPaint())
        record->HandleMessage(Message{event.window, MSG_PAINT, 0, 0, event.observed});
}

void Main::PaintWaitingWindows() {
    for (std::size_t i = 0; i < windows.size(); ++i)
        if (windows[i]->NeedsPaint()) windows[i]->Send(MSG_PAINT);
}

// What the loop would do with an empty queue; the messages posted
// meanwhile wait for the loop.
void Main::ModalLoopStep() {
    Idle();
    PaintWaitingWindows();
    Message tick;
    if (queue.TimerDue(tick)) Dispatch(tick);
}

// ---- App -----------------------------------------------------------------

App::App() {
    Main* main = Main::Instance();
    if (main->GetApp()) {
        std::printf("Error: more than one application instance defined!\n");
        std::fflush(stdout);
        std::exit(1);
    }
    main->SetApp(this);
}

void App::OnCreate() { Trace("App::OnCreate\n"); }

void App::OnDestroy() { Trace("App::OnDestroy\n"); }

App::~App() {
    Main* main = Main::Existing();
    if (main && main->GetApp() == this) main->SetApp(nullptr);
}

// ---- Free functions ------------------------------------------------------

App* GetApp() { return Main::Instance()->GetApp(); }

int GetArgc() { return Main::Instance()->GetArgc(); }

const char* GetArg(int i) {
    Main* main = Main::Instance();
    if (i < 0 || i >= main->GetArgc() || !main->GetArgv()) return "";
    return main->GetArgv()[i];
}

void Quit() {
    if (WindowEx* window = Main::Instance()->GetMainWnd()) window->Owner()->Close();
}

unsigned SetTimerInterval(unsigned milliseconds) { return Main::Instance()->SetTimerInterval(milliseconds); }

unsigned TimerInterval() { return Main::Instance()->TimerInterval(); }

int ShowMessage(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    const bool fits = FormatBounded(text, format, args);
    va_end(args);
    if (!fits) return 0;
    if (Main::Instance()->IsConsole()) {
        std::fputs(text.c_str(), stdout);
        std::fflush(stdout);
    } else {
        platform::ShowMessageBox(text.c_str());
    }
    return static_cast<int>(text.size());
}

double GetTime() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

double GetElapsedTime() {
    const double now = GetTime();
    const double elapsed = previousTime < 0 ? 0.02 : now - previousTime;
    previousTime = now;
    return elapsed;
}

bool IsShiftDown() { return platform::IsKeyDown(VK_SHIFT); }
bool IsCtrlDown() { return platform::IsKeyDown(VK_CONTROL); }
bool IsAltDown() { return platform::IsKeyDown(VK_MENU); }
bool IsKeyDown(int virtualKey) { return platform::IsKeyDown(virtualKey); }

void SetCursorPos(int screenX, int screenY) { platform::WarpPointer(screenX, screenY); }

}  // namespace ondra
