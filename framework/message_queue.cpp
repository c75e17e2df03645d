// The message queue: window-system events become messages here, and paints
// and timer ticks are made when nothing else waits.
#include "framework/message_queue.h"

#include <algorithm>

#include "framework/main.h"
#include "framework/platform/platform.h"
#include "framework/window_ex.h"

namespace ondra {
namespace {

unsigned ButtonMessage(int button, bool down) {
    static const unsigned kDown[] = {MSG_LBUTTONDOWN, MSG_MBUTTONDOWN, MSG_RBUTTONDOWN};
    static const unsigned kUp[] = {MSG_LBUTTONUP, MSG_MBUTTONUP, MSG_RBUTTONUP};
    return down ? kDown[button] : kUp[button];
}

double NowMs() { return GetTime() * 1000.0; }

}  // namespace

bool EventMessage(const platform::Event& event, Message& message) {
    message = Message{};
    message.window = event.window;
    message.observed = event.observed;
    switch (event.type) {
        case platform::EventType::kClose:
            message.id = MSG_CLOSE;
            return true;
        case platform::EventType::kDestroyed:
            message.id = MSG_DESTROY;
            return true;
        case platform::EventType::kExpose:
            if (auto* record = static_cast<WindowEx*>(platform::GetUserData(event.window))) record->Invalidate();
            return false;
        case platform::EventType::kResize:
            message.id = MSG_SIZE;
            message.lParam = MakeLParam(event.a, event.b);
            return true;
        case platform::EventType::kKeyDown:
        case platform::EventType::kKeyUp:
            message.id = event.type == platform::EventType::kKeyDown ? MSG_KEYDOWN : MSG_KEYUP;
            message.wParam = static_cast<WParam>(event.a);
            return true;
        case platform::EventType::kMouseMove:
            message.id = MSG_MOUSEMOVE;
            message.lParam = MakeLParam(event.a, event.b);
            return true;
        case platform::EventType::kButtonDown:
        case platform::EventType::kButtonUp:
            message.id = ButtonMessage(event.button, event.type == platform::EventType::kButtonDown);
            message.lParam = MakeLParam(event.a, event.b);
            return true;
        case platform::EventType::kQuit:
            message.window = nullptr;
            message.id = MSG_QUIT;
            message.wParam = static_cast<WParam>(event.a);
            return true;
        case platform::EventType::kCommand:
            message.id = MSG_COMMAND;
            message.wParam = static_cast<WParam>(static_cast<unsigned>(event.a));
            return true;
    }
    return false;
}

void MessageQueue::Post(const Message& message) { posted.push_back(message); }

void MessageQueue::PostQuit(int exitCode) {
    Message quit;
    quit.id = MSG_QUIT;
    quit.wParam = static_cast<WParam>(exitCode);
    posted.push_back(quit);
}

void MessageQueue::DropMessagesFor(WindowHandle window) {
    posted.erase(std::remove_if(posted.begin(), posted.end(),
                                [window](const Message& m) { return m.window == window; }),
                 posted.end());
}

void MessageQueue::PumpWindowSystem() {
    platform::Event event;
    while (platform::PollEvent(event)) {
        Message message;
        if (EventMessage(event, message)) posted.push_back(message);
    }
}

bool MessageQueue::Peek(const std::vector<WindowEx*>& windows, Message& message) {
    PumpWindowSystem();
    if (!posted.empty()) {
        message = posted.front();
        posted.pop_front();
        return true;
    }
    for (WindowEx* window : windows) {
        if (window->NeedsPaint()) {
            message = Message{window->Handle(), MSG_PAINT, 0, 0};
            return true;
        }
    }
    return TimerDue(message);
}

void MessageQueue::SetTimer(unsigned intervalMs) {
    timerIntervalMs = intervalMs;
    timerDueMs = NowMs() + intervalMs;
}

// Like any timer of a message loop, ticks that fall due while the loop is
// busy merge into one.
bool MessageQueue::TimerDue(Message& message) {
    if (timerIntervalMs == 0) return false;
    const double now = NowMs();
    if (now < timerDueMs) return false;
    timerDueMs += timerIntervalMs;
    if (timerDueMs <= now) timerDueMs = now + timerIntervalMs;
    message = Message{};
    message.id = MSG_TIMER;
    message.wParam = 1;
    message.lParam = static_cast<LParam>(now);
    return true;
}

}  // namespace ondra
