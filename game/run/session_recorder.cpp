// Recording a live session as a script.
#include "game/run/session_recorder.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "framework/keys.h"
#include "game/run/run_files.h"

namespace {

// What a script can hold: its reader takes key codes 1 to 254 and mouse
// coordinates to 100,000 either way.
bool Scriptable(int virtualKey) { return virtualKey >= 1 && virtualKey <= 254; }
bool Scriptable(int x, int y) { return x >= -100000 && x <= 100000 && y >= -100000 && y <= 100000; }

ScriptEvent EventAt(long frame, ScriptEvent::Kind kind) {
    ScriptEvent event;
    event.frame = frame;
    event.kind = kind;
    return event;
}

}  // namespace

void SessionRecorder::Start(const std::string& fileName, int width, int height) {
    file = fileName;
    header = "# A live session of compound, written by --record. Play it back with\n"
             "#   compound --script FILE --size " +
             std::to_string(width) + "x" + std::to_string(height) +
             "\n# on the same data; --timedemo FILE times it.\n";
}

void SessionRecorder::Add(const ScriptEvent& event) {
    if (event.kind == ScriptEvent::kKey) keysDown[static_cast<size_t>(event.code)] = event.down;
    events.push_back(event);
}

void SessionRecorder::Key(long frame, int virtualKey, bool down) {
    if (!Recording() || !Scriptable(virtualKey)) return;
    ScriptEvent event = EventAt(frame, ScriptEvent::kKey);
    event.code = virtualKey;
    event.down = down;
    Add(event);
}

void SessionRecorder::Mouse(long frame, int x, int y) {
    if (!Recording() || !Scriptable(x, y)) return;
    ScriptEvent event = EventAt(frame, ScriptEvent::kMouse);
    event.x = x;
    event.y = y;
    Add(event);
}

void SessionRecorder::Button(long frame, int button, bool down) {
    if (!Recording() || button < 0 || button > 2) return;
    ScriptEvent event = EventAt(frame, ScriptEvent::kButton);
    event.code = button;
    event.down = down;
    Add(event);
}

void SessionRecorder::FrameTime(long frame, double seconds) {
    if (!Recording()) return;
    ScriptEvent event = EventAt(frame, ScriptEvent::kFrameTime);
    event.seconds = seconds;
    Add(event);
}

// Played back, a key event also reaches the window's key handler; the keys
// polled here are movement keys, which no press acts on.
void SessionRecorder::Held(long frame, int virtualKey, bool held) {
    if (!Recording() || !Scriptable(virtualKey) || keysDown[static_cast<size_t>(virtualKey)] == held) return;
    Key(frame, virtualKey, held);
}

// Events after the last frame drawn changed the world all the same; their
// playback would draw one more frame unless it ends as the session did,
// before that frame: an Esc closes it there.
std::string SessionRecorder::Text(long framesDrawn) const {
    std::string text = header;
    for (const ScriptEvent& event : events) text += FormatScriptEvent(event) + "\n";
    const auto quits = [](const ScriptEvent& e) {
        return e.kind == ScriptEvent::kKey && e.code == ondra::VK_ESCAPE && e.down;
    };
    const bool trailing = !events.empty() && events.back().frame >= framesDrawn;
    const bool closed = std::any_of(events.begin(), events.end(),
                                    [&](const ScriptEvent& e) { return e.frame >= framesDrawn && quits(e); });
    if (trailing && !closed) {
        ScriptEvent end;
        end.frame = framesDrawn;
        end.code = ondra::VK_ESCAPE;
        end.down = true;
        text += "# the session ended here\n" + FormatScriptEvent(end) + "\n";
    }
    return text;
}

bool SessionRecorder::Finish(long framesDrawn) {
    if (!Recording() || finished) return true;
    finished = true;
    errno = 0;
    if (WriteTextReplacing(file, Text(framesDrawn))) return true;
    const int reason = errno;
    std::fprintf(stderr, "compound: could not write the recording %s%s%s\n", file.c_str(), reason ? ": " : "",
                 reason ? std::strerror(reason) : "");
    return false;
}
