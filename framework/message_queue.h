// The framework's message queue: posted messages, the translated window
// system events, the timer and the paints of invalidated windows.
#pragma once

#include <deque>
#include <vector>

#include "framework/messages.h"

namespace ondra {

class WindowEx;
namespace platform {
struct Event;
}

// The message a window-system event becomes; false for events that only
// mark state (an expose marks its window for a paint).
bool EventMessage(const platform::Event& event, Message& message);

class MessageQueue {
public:
    void Post(const Message& message);
    void PostQuit(int exitCode);
    // Forgets every message queued for a window that is going away.
    void DropMessagesFor(WindowHandle window);

    // Takes the next message without waiting, in this order of priority:
    // posted messages and input, then a paint for the first window that
    // needs one, then the timer. False when there is nothing to do.
    bool Peek(const std::vector<WindowEx*>& windows, Message& message);

    // The timer: 0 stops it.
    void SetTimer(unsigned intervalMs);
    // The timer's message when a tick is due.
    bool TimerDue(Message& message);

private:
    void PumpWindowSystem();

    std::deque<Message> posted;
    unsigned timerIntervalMs = 0;
    double timerDueMs = 0;
};

}  // namespace ondra
