// Test windows that record the handler calls they receive and run a script
// from their idle handler, so a test can drive a real message loop.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "framework/glwindow.h"
#include "framework/main.h"

namespace ondra::test {

class RecordingWindow : public GLWindow {
public:
    // Runs once per idle step with the number of idle steps so far; the
    // window closes itself after `idleLimit` steps, so no test can hang.
    std::function<void(RecordingWindow&, int)> script;
    std::function<void(RecordingWindow&)> onCreate;
    int idleLimit = 2000;

    std::vector<std::string> log;
    int creates = 0, destroys = 0, displays = 0, idles = 0;
    bool contextCurrentInCreate = false;
    bool contextCurrentInResize = false;

    void OnCreate() override;
    void OnDestroy() override;
    void OnDisplay() override;
    void OnResize(int width, int height) override;
    void OnMouseButton(int button, bool down) override;
    void OnMouseMove(int x, int y) override;
    void OnKeyboard(int key, bool down) override;
    void OnMenu(int command) override;
    void OnIdle() override;
    void OnWindowMessage(WindowHandle window, unsigned id, WParam wParam, LParam lParam) override;

    int Count(const std::string& prefix) const;
    // How often OnWindowMessage saw the message (kept apart from the log).
    int Seen(unsigned id, WParam wParam) const;
    // Seconds since the first idle step: what waits on the X server measure,
    // since on a busy machine any number of idle steps can pass first.
    double IdleSeconds() const;

private:
    std::chrono::steady_clock::time_point firstIdle;
    std::vector<Message> seen;
};

class TestApp : public App {
public:
    std::vector<std::string> log;
    void OnCreate() override { log.push_back("App::OnCreate"); }
    void OnTimer(double) override { ++timerTicks; }
    void OnDestroy() override { log.push_back("App::OnDestroy"); }
    int timerTicks = 0;
};

// True when a GL context is current on this thread.
bool HasCurrentContext();

// Runs the message loop; `body` runs once from the window's first idle
// step, with the window live, and then the window closes.
void RunOnce(RecordingWindow& window, const std::function<void(RecordingWindow&)>& body);

// The window asks for a paint on every idle step; it is minimised once
// mapped, left so for half a second, and restored.
struct MinimizedRun {
    bool minimized = false;         // the system minimised it
    int drawnWhileMinimized = -1;   // OnDisplay calls meanwhile
    bool drawnAfterRestore = false; // and paints came again
};
MinimizedRun MinimizeAndRestore(RecordingWindow& window, double deadlineSeconds);

}  // namespace ondra::test
