// Window messages: the events the framework queues and dispatches to a
// window's message handler. The numbers follow the classic PC window
// messages, so traces read the same as on other ports.
#pragma once

#include <cstdint>

namespace ondra {

namespace platform {
struct Window;
}
using WindowHandle = platform::Window*;

enum MessageId : unsigned {
    MSG_DESTROY = 0x0002,
    MSG_SIZE = 0x0005,
    MSG_PAINT = 0x000F,
    MSG_CLOSE = 0x0010,
    MSG_QUIT = 0x0012,
    MSG_KEYDOWN = 0x0100,
    MSG_KEYUP = 0x0101,
    MSG_COMMAND = 0x0111,
    MSG_TIMER = 0x0113,
    MSG_MOUSEMOVE = 0x0200,
    MSG_LBUTTONDOWN = 0x0201,
    MSG_LBUTTONUP = 0x0202,
    MSG_RBUTTONDOWN = 0x0204,
    MSG_RBUTTONUP = 0x0205,
    MSG_MBUTTONDOWN = 0x0207,
    MSG_MBUTTONUP = 0x0208,
    MSG_USER = 0x0400,
    MSG_CREATE_WINDOW = MSG_USER + 1,  // runs OnCreate once the window exists
};

using WParam = std::uintptr_t;
using LParam = std::intptr_t;

// Two 16-bit halves in one parameter, as sizes and mouse positions travel.
inline LParam MakeLParam(int low, int high) {
    return static_cast<LParam>((static_cast<std::uint32_t>(high & 0xFFFF) << 16) |
                               static_cast<std::uint32_t>(low & 0xFFFF));
}
inline int LowWord(LParam value) { return static_cast<int>(value & 0xFFFF); }
inline int HighWord(LParam value) { return static_cast<int>((value >> 16) & 0xFFFF); }
inline int SignedLowWord(LParam value) { return static_cast<std::int16_t>(value & 0xFFFF); }
inline int SignedHighWord(LParam value) { return static_cast<std::int16_t>((value >> 16) & 0xFFFF); }

struct Message {
    WindowHandle window = nullptr;  // null for thread messages (quit, timer)
    unsigned id = 0;
    WParam wParam = 0;
    LParam lParam = 0;
    // Made from a system message the window's OnWindowMessage already saw.
    bool observed = false;
};

}  // namespace ondra
