// RecordingWindow: handler calls into a log.
#include "tests/framework/window_fixture.h"

#include <GL/gl.h>

#include "framework/platform/inject.h"
#include "framework/platform/platform.h"

namespace ondra::test {

bool HasCurrentContext() { return platform::GetCurrentBinding().context != nullptr; }

void RecordingWindow::OnCreate() {
    ++creates;
    contextCurrentInCreate = HasCurrentContext() && glGetString(GL_VERSION) != nullptr;
    log.push_back("OnCreate");
    if (onCreate) onCreate(*this);
}

void RecordingWindow::OnDestroy() {
    ++destroys;
    log.push_back("OnDestroy");
}

void RecordingWindow::OnDisplay() {
    ++displays;
    log.push_back("OnDisplay");
    glClear(GL_COLOR_BUFFER_BIT);
    SwapBuffers();
}

void RecordingWindow::OnResize(int width, int height) {
    contextCurrentInResize = HasCurrentContext();
    log.push_back("OnResize " + std::to_string(width) + "x" + std::to_string(height));
}

void RecordingWindow::OnMouseButton(int button, bool down) {
    log.push_back("OnMouseButton " + std::to_string(button) + (down ? " down" : " up"));
}

void RecordingWindow::OnMouseMove(int x, int y) {
    log.push_back("OnMouseMove " + std::to_string(x) + "," + std::to_string(y));
}

void RecordingWindow::OnKeyboard(int key, bool down) {
    log.push_back("OnKeyboard " + std::to_string(key) + (down ? " down" : " up"));
}

void RecordingWindow::OnMenu(int command) { log.push_back("OnMenu " + std::to_string(command)); }

void RecordingWindow::OnWindowMessage(WindowHandle window, unsigned id, WParam wParam, LParam lParam) {
    seen.push_back(Message{window, id, wParam, lParam});
}

int RecordingWindow::Seen(unsigned id, WParam wParam) const {
    int n = 0;
    for (const Message& m : seen) n += m.id == id && m.wParam == wParam ? 1 : 0;
    return n;
}

void RecordingWindow::OnIdle() {
    if (idles == 0) firstIdle = std::chrono::steady_clock::now();
    ++idles;
    log.push_back("OnIdle");
    if (script) script(*this, idles);
    if (idles == idleLimit) Close();
}

void RunOnce(RecordingWindow& window, const std::function<void(RecordingWindow&)>& body) {
    window.script = [&body](RecordingWindow& w, int idle) {
        if (idle == 1) {
            body(w);
            w.Close();
        }
    };
    Main::Instance()->Execute(0, nullptr);
}

double RecordingWindow::IdleSeconds() const {
    if (idles == 0) return 0.0;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - firstIdle).count();
}

int RecordingWindow::Count(const std::string& prefix) const {
    int n = 0;
    for (const std::string& line : log)
        if (line.compare(0, prefix.size(), prefix) == 0) ++n;
    return n;
}

MinimizedRun MinimizeAndRestore(RecordingWindow& window, double deadlineSeconds) {
    MinimizedRun run;
    enum { kMapping, kMinimizing, kMinimized, kRestoring, kDone } phase = kMapping;
    double since = 0.0;
    int displaysBefore = 0;
    window.idleLimit = -1;
    window.script = [&](RecordingWindow& w, int) {
        w.Redraw();
        const double now = w.IdleSeconds();
        if (phase == kMapping && platform::IsWindowMapped(w.GetHWND()) && w.displays > 0) {
            platform::MinimizeWindow(w.GetHWND());
            phase = kMinimizing;
        } else if (phase == kMinimizing && platform::IsWindowMinimized(w.GetHWND())) {
            run.minimized = true;
            displaysBefore = w.displays;
            since = now;
            phase = kMinimized;
        } else if (phase == kMinimized && now - since > 0.5) {
            run.drawnWhileMinimized = w.displays - displaysBefore;
            platform::RestoreWindow(w.GetHWND());
            displaysBefore = w.displays;
            phase = kRestoring;
        } else if (phase == kRestoring && w.displays > displaysBefore) {
            run.drawnAfterRestore = true;
            phase = kDone;
        }
        if (phase == kDone || now > deadlineSeconds) w.Close();
    };
    Main::Instance()->Execute(0, nullptr);
    return run;
}

}  // namespace ondra::test
