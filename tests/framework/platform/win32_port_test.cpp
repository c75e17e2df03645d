// The Win32 port's own rules, observed through the system: the record the
// window procedure keeps in every window, the class, the context OnCreate
// finds current, the keys the system keeps from the application, the key
// state by the key's place, the messages of a refused creation, and a
// close or a quit from the system ending the loop.
#include <gtest/gtest.h>

#include <GL/gl.h>

#include <string>
#include <vector>

#include "framework/keys.h"
#include "framework/platform/win32_internal.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/kept_pictures.h"

namespace ondra {
namespace {

using test::RecordingWindow;
using test::RunOnce;
using test::TestApp;

struct PlatformWindow {
    platform::Window* window = nullptr;
    PlatformWindow() {
        platform::WindowDesc desc;
        desc.title = "port";
        EXPECT_EQ(platform::CreateResult::kOk, platform::CreateWindow(desc, window));
    }
    ~PlatformWindow() { platform::DestroyWindow(window); }
};

TEST(Win32Port, EveryWindowCarriesItsRecordAndTheClass) {
    PlatformWindow a, b;
    ASSERT_TRUE(a.window && b.window);
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(a.window), GetWindowLongPtrA(a.window->hwnd, GWLP_USERDATA));
    EXPECT_EQ(reinterpret_cast<LONG_PTR>(b.window), GetWindowLongPtrA(b.window->hwnd, GWLP_USERDATA));
    char name[64] = "";
    GetClassNameA(a.window->hwnd, name, sizeof name);
    EXPECT_STREQ("GLAppWnd", name);
    EXPECT_EQ(a.window->hdc, GetDC(a.window->hwnd)) << "the class gives each window a DC of its own";
}

// OnCreate runs from the queued private create message (MSG_USER + 1), with
// the window's own WGL context current on the window's own DC.
TEST(Win32Port, OnCreateFindsTheWindowsWglContextCurrent) {
    TestApp app;
    RecordingWindow window;
    HGLRC contextInCreate = nullptr, windowContext = nullptr;
    HDC dcInCreate = nullptr, windowDc = nullptr;
    window.onCreate = [&](RecordingWindow& w) {
        contextInCreate = wglGetCurrentContext();
        dcInCreate = wglGetCurrentDC();
        windowContext = w.GetHWND()->context;
        windowDc = w.GetHWND()->hdc;
    };
    window.script = [](RecordingWindow& w, int step) {
        if (step == 1) w.Close();
    };
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));
    ASSERT_NE(nullptr, windowContext);
    EXPECT_EQ(windowContext, contextInCreate);
    EXPECT_EQ(windowDc, dcInCreate);
    EXPECT_EQ(1, window.creates);
}

// Key messages as the system sends them: wParam the layout's key, bits 16
// to 23 of lParam the scan code of the key's place.
LPARAM KeyBits(unsigned scanCode, bool down) {
    return static_cast<LPARAM>(1 | (scanCode << 16) | (down ? 0u : 0xC0000000u));
}

struct KeyCase {
    UINT message;
    int virtualKey;
    unsigned scanCode;
    const char* handlerCall;  // null: the handler hears nothing
    int placedKey;            // the key state that goes down
};

// Q on an AZERTY keyboard sits where US keyboards have A: the handler hears
// the labelled key, the polled state the key's place. Alt combinations
// (system key messages), Alt itself and F10 are the system's.
TEST(Win32Port, KeysReachTheHandlerByLabelAndTheStateByPlace) {
    const KeyCase cases[] = {
        {WM_KEYDOWN, 'Q', 0x1E, "OnKeyboard 81 down", 'A'},
        {WM_KEYDOWN, 'W', 0x11, "OnKeyboard 87 down", 'W'},
        {WM_KEYDOWN, VK_ESCAPE, 0x01, "OnKeyboard 27 down", VK_ESCAPE},
        {WM_SYSKEYDOWN, 'E', 0x12, nullptr, 'E'},
        {WM_SYSKEYDOWN, VK_MENU, 0x38, nullptr, VK_MENU},
        {WM_SYSKEYDOWN, VK_F10, 0x44, nullptr, VK_F10},
    };
    for (const KeyCase& c : cases) {
        TestApp app;
        RecordingWindow window;
        window.SetTitle("keys");
        bool state = false;
        RunOnce(window, [&](RecordingWindow& w) {
            SendMessageA(w.GetHWND()->hwnd, c.message, static_cast<WPARAM>(c.virtualKey), KeyBits(c.scanCode, true));
            state = IsKeyDown(c.placedKey);
        });
        EXPECT_EQ(c.handlerCall ? 1 : 0, window.Count("OnKeyboard")) << c.virtualKey;
        if (c.handlerCall) {
            EXPECT_EQ(1, window.Count(c.handlerCall)) << c.virtualKey;
        }
        EXPECT_TRUE(state) << c.virtualKey;
        platform::ReleaseAllKeys();
    }
}

// The close box (or Alt+F4, or another program) sends WM_CLOSE: the main
// window's close ends the loop with exit code 0.
TEST(Win32Port, ACloseFromTheSystemEndsTheLoop) {
    TestApp app;
    RecordingWindow window;
    window.script = [](RecordingWindow& w, int step) {
        if (step == 1) PostMessageA(w.GetHWND()->hwnd, WM_CLOSE, 0, 0);
    };
    EXPECT_EQ(0, Main::Instance()->Execute(0, nullptr));
    EXPECT_LT(window.idles, window.idleLimit);
}

// Refuses every window the thread tries to create, as the system does when
// a window cannot be made.
LRESULT CALLBACK RefuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Gives a window being created a pixel format other than the one the port
// will choose: a window's pixel format can be set only once.
LRESULT CALLBACK TakePixelFormat(int code, WPARAM wParam, LPARAM lParam) {
    const auto* call = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->message == WM_CREATE) {
        HDC dc = GetDC(call->hwnd);
        PIXELFORMATDESCRIPTOR wanted{};
        wanted.nSize = sizeof wanted;
        wanted.nVersion = 1;
        wanted.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
        wanted.cColorBits = 24;
        wanted.cDepthBits = 32;
        const int chosen = ChoosePixelFormat(dc, &wanted);
        PIXELFORMATDESCRIPTOR other{};
        SetPixelFormat(dc, chosen == 1 ? 2 : 1, &other);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// This thread's windows of the framework's class (other programs on the
// desktop may have their own).
int ThreadWindowsOfTheClass() {
    int count = 0;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM found) {
            char name[64] = "";
            GetClassNameA(hwnd, name, sizeof name);
            if (std::string(name) == platform::kWindowClass) ++*reinterpret_cast<int*>(found);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count;
}

struct CreationFault {
    const char* what;
    int hookType;
    HOOKPROC hook;
    const char* message;
};

// A refused step prints its message, the loop ends with 1, and no window
// of the class is left behind.
TEST(Win32Port, RefusedCreationStepsPrintTheirMessageAndLeaveNoWindow) {
    const CreationFault faults[] = {
        {"the system refuses the window", WH_CBT, RefuseWindows, "Failed to create window\n"},
        {"the window has another pixel format", WH_CALLWNDPROC, TakePixelFormat, "Failed to set pixel format\n"},
    };
    for (const CreationFault& fault : faults) {
        TestApp app;
        RecordingWindow window;
        HHOOK hook = SetWindowsHookExA(fault.hookType, fault.hook, nullptr, GetCurrentThreadId());
        ASSERT_NE(nullptr, hook) << fault.what;
        ::testing::internal::CaptureStdout();
        ::testing::internal::CaptureStderr();
        const int result = Main::Instance()->Execute(0, nullptr);
        UnhookWindowsHookEx(hook);
        const std::string out = ::testing::internal::GetCapturedStdout();
        const std::string err = ::testing::internal::GetCapturedStderr();
        EXPECT_EQ(1, result) << fault.what;
        EXPECT_EQ(fault.message, out) << fault.what;
        EXPECT_EQ("No window could be created, exiting.\n", err) << fault.what;
        EXPECT_EQ(nullptr, window.GetHWND()) << fault.what;
        EXPECT_EQ(0, window.creates) << fault.what;
        EXPECT_EQ(0, ThreadWindowsOfTheClass()) << fault.what;
    }
}

// PostQuitMessage from anywhere in the program (a handler, a library) ends
// the loop as it ends any Win32 program's: with WM_QUIT's exit code.
TEST(Win32Port, WmQuitEndsTheLoopWithItsExitCode) {
    for (int exitCode : {0, 5, -2}) {
        TestApp app;
        RecordingWindow window;
        window.script = [exitCode](RecordingWindow&, int step) {
            if (step == 1) PostQuitMessage(exitCode);
        };
        EXPECT_EQ(exitCode, Main::Instance()->Execute(0, nullptr));
        EXPECT_LT(window.idles, window.idleLimit) << exitCode;
        EXPECT_EQ(1, window.creates);
    }
}

struct SystemMessage {
    const char* what;
    UINT id;
    WPARAM wParam;
    bool posted;               // else sent
    const char* handlerCall;   // the handler the message becomes, or null
};

// The window procedure hands every message it receives to OnWindowMessage,
// once, whether the framework makes a handler call of it or not; a menu
// item's WM_COMMAND becomes OnMenu, a control's notification does not.
TEST(Win32Port, EverySystemMessageReachesOnWindowMessageOnce) {
    const SystemMessage messages[] = {
        {"a menu item, sent", WM_COMMAND, 42, false, "OnMenu 42"},
        {"a menu item, posted", WM_COMMAND, 44, true, "OnMenu 44"},
        {"an edit control's notification", WM_COMMAND, MAKEWPARAM(43, EN_CHANGE), true, nullptr},
        {"a key", WM_KEYDOWN, 'W', false, "OnKeyboard 87 down"},
        {"the program's own message", WM_USER + 7, 5, true, nullptr},
        {"another program's message", WM_APP + 3, 11, false, nullptr},
    };
    TestApp app;
    RecordingWindow window;
    window.script = [&](RecordingWindow& w, int idle) {
        if (idle == 1) {
            for (const SystemMessage& m : messages) {
                const LPARAM lParam = m.id == WM_KEYDOWN ? KeyBits(0x11, true) : 0;
                if (m.posted)
                    PostMessageA(w.GetHWND()->hwnd, m.id, m.wParam, lParam);
                else
                    SendMessageA(w.GetHWND()->hwnd, m.id, m.wParam, lParam);
            }
        }
        if (idle == 5) w.Close();
    };
    Main::Instance()->Execute(0, nullptr);
    for (const SystemMessage& m : messages) {
        EXPECT_EQ(1, window.Seen(m.id, m.wParam)) << m.what;
        if (m.handlerCall) {
            EXPECT_EQ(1, window.Count(m.handlerCall)) << m.what;
        }
    }
    EXPECT_EQ(2, window.Count("OnMenu"));
    EXPECT_EQ(1, window.Seen(WM_CREATE, 0)) << "the system's own, while the window was made";
    EXPECT_EQ(1, window.Seen(WM_CLOSE, 0)) << "the close the loop posted";
    platform::ReleaseAllKeys();
}

struct AtOnceCase {
    const char* what;
    void (*call)(HWND hwnd);
    const char* handlerCall;
};

// WM_SIZE and WM_PAINT run their handlers from the window procedure, before
// the system's call returns, as they must where the system's own loops
// hold the thread.
TEST(Win32Port, SizesAndPaintsAreHandledBeforeTheSystemsCallReturns) {
    const AtOnceCase cases[] = {
        {"a new size", [](HWND hwnd) { SetWindowPos(hwnd, nullptr, 0, 0, 170, 130, SWP_NOMOVE | SWP_NOZORDER); },
         "OnResize"},
        {"an uncovered window", [](HWND hwnd) {
             InvalidateRect(hwnd, nullptr, FALSE);
             UpdateWindow(hwnd);
         },
         "OnDisplay"},
    };
    for (const AtOnceCase& c : cases) {
        TestApp app;
        RecordingWindow window;
        int before = -1, after = -1;
        RunOnce(window, [&](RecordingWindow& w) {
            before = w.Count(c.handlerCall);
            c.call(w.GetHWND()->hwnd);
            after = w.Count(c.handlerCall);
        });
        EXPECT_EQ(before + 1, after) << c.what;
    }
}

HWND movedWindow = nullptr;

// Ends the move loop after a deadline, should the idle turns that end it
// never come: the system's loop dispatches thread timers too.
void CALLBACK EndMoveLoop(HWND, UINT, UINT_PTR, DWORD) {
    PostMessageA(movedWindow, WM_KEYDOWN, VK_ESCAPE, KeyBits(0x01, true));
}

// While the player drags the window, Windows runs a modal loop of its own
// until the button is released (here, a move from the keyboard, which
// Esc ends): the program's loop stands still, but idle turns and frames
// keep coming.
TEST(Win32Port, FramesKeepComingWhileTheSystemsMoveLoopRuns) {
    TestApp app;
    RecordingWindow window;
    window.idleLimit = -1;
    int idlesInLoop = 0, displaysAtEntry = -1, displaysInLoop = -1;
    window.script = [&](RecordingWindow& w, int idle) {
        w.Redraw();
        HWND hwnd = w.GetHWND()->hwnd;
        const bool moving = w.Seen(WM_ENTERSIZEMOVE, 0) > w.Seen(WM_EXITSIZEMOVE, 0);
        if (idle == 3) {
            movedWindow = hwnd;
            SetTimer(nullptr, 0, 15000, EndMoveLoop);
            PostMessageA(hwnd, WM_SYSCOMMAND, SC_MOVE, 0);
        }
        if (moving && displaysAtEntry < 0) displaysAtEntry = w.displays;
        if (moving && ++idlesInLoop == 10) {
            displaysInLoop = w.displays - displaysAtEntry;
            PostMessageA(hwnd, WM_KEYDOWN, VK_ESCAPE, KeyBits(0x01, true));
        }
        if (w.Seen(WM_EXITSIZEMOVE, 0) > 0 || w.IdleSeconds() > 30.0) w.Close();
    };
    Main::Instance()->Execute(0, nullptr);
    EXPECT_EQ(1, window.Seen(WM_ENTERSIZEMOVE, 0));
    EXPECT_EQ(1, window.Seen(WM_EXITSIZEMOVE, 0));
    EXPECT_GE(idlesInLoop, 10);
    EXPECT_GE(displaysInLoop, 9) << "a frame for every idle turn's Redraw";
}

// The frame's outer corner as the system has it.
POINT OuterCorner(const RecordingWindow& w) {
    RECT outer{};
    ::GetWindowRect(w.GetHWND()->hwnd, &outer);
    return POINT{outer.left, outer.top};
}

// Positions are the outer window's: where it is created, moved, and put
// back after full screen, with the client size kept; a window created full
// screen comes back with its whole frame on the screen.
TEST(Win32Port, PositionsAreTheFramesOuterCorner) {
    for (const bool fullscreenFirst : {false, true}) {
        TestApp app;
        RecordingWindow window;
        window.SetSize(200, 150);
        window.SetPosition(30, 40);
        if (fullscreenFirst) window.SetFullscreen(true);
        POINT created{}, moved{}, back{};
        int clientX = 0, clientY = 0, width = 0, height = 0;
        RunOnce(window, [&](RecordingWindow& w) {
            created = OuterCorner(w);
            if (!fullscreenFirst) {
                w.SetPosition(60, 70);
                moved = OuterCorner(w);
                w.SetFullscreen(true);
            }
            w.SetFullscreen(false);
            back = OuterCorner(w);
            w.GetClientOrigin(clientX, clientY);
            RECT client{};
            GetClientRect(w.GetHWND()->hwnd, &client);
            width = client.right;
            height = client.bottom;
        });
        const char* what = fullscreenFirst ? "created full screen" : "created framed";
        if (!fullscreenFirst) {
            EXPECT_EQ(30, created.x) << what;
            EXPECT_EQ(40, created.y) << what;
            EXPECT_EQ(60, moved.x) << what;
            EXPECT_EQ(70, moved.y) << what;
        }
        EXPECT_EQ(fullscreenFirst ? 0 : 60, back.x) << what;
        EXPECT_EQ(fullscreenFirst ? 0 : 70, back.y) << what;
        EXPECT_GT(clientY, back.y) << what << ": the caption above the client area";
        EXPECT_EQ(200, width) << what;
        EXPECT_EQ(150, height) << what;
    }
}

// A minimised window is not painted, however often the program asks.
TEST(Win32Port, AMinimisedWindowDoesNotDraw) {
    TestApp app;
    RecordingWindow window;
    const test::MinimizedRun run = test::MinimizeAndRestore(window, 30.0);
    EXPECT_TRUE(run.minimized);
    EXPECT_EQ(0, run.drawnWhileMinimized);
    EXPECT_TRUE(run.drawnAfterRestore);
}

// Lit pixels of the back buffer, and where the raster position ended.
struct TextDrawn {
    int lit = 0;
    float advance = 0.0f;
};

TextDrawn DrawText(RecordingWindow& w, const char* text) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, w.Width(), 0, w.Height(), -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glColor3f(1, 1, 1);
    glRasterPos2i(0, 8);
    w.Printf("%s", text);
    TextDrawn drawn;
    float position[4];
    glGetFloatv(GL_CURRENT_RASTER_POSITION, position);
    drawn.advance = position[0];
    std::vector<unsigned char> pixels(static_cast<std::size_t>(w.Width()) * w.Height() * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, w.Width(), w.Height(), GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    for (std::size_t i = 0; i < pixels.size(); i += 3) drawn.lit += pixels[i] == 255 ? 1 : 0;
    return drawn;
}

// Windows answers GetGlyphOutline with an error for every glyph of the
// system font, a raster font; Wine answers as for TrueType. With either
// answer the HUD's digits draw the same pixels and advance as far: an
// error leaves the glyphs wglUseFontBitmaps recorded.
TEST(Win32Port, TheSystemFontsDigitsDrawWithWindowsAnswersAsWithWines) {
    TestApp app;
    RecordingWindow window;
    window.SetSize(256, 32);
    TextDrawn wine, windows;
    RunOnce(window, [&](RecordingWindow& w) {
        // Idle handlers find the context current only while the process
        // has made fewer windows than the context stack holds.
        ASSERT_TRUE(w.MakeCurrent(true));
        wine = DrawText(w, "0123456789");
        platform::FailGlyphOutlines(true);
        w.SetFont(0, nullptr);  // the lists are recorded again
        windows = DrawText(w, "0123456789");
        test::SavePicture("system_font_with_windows_answers.ppm", w.Width(), w.Height());
        platform::FailGlyphOutlines(false);
        w.MakeCurrent(false);
    });
    EXPECT_GT(wine.lit, 100);
    EXPECT_EQ(wine.lit, windows.lit);
    EXPECT_GT(wine.advance, 40.0f);
    EXPECT_EQ(wine.advance, windows.advance);
}

}  // namespace
}  // namespace ondra
