// Scripted input: a plain-text list of keyboard and mouse events, each
// played just before the frame of its number, through the same handlers as
// real input. One event a line; '#' starts a comment; blank lines are
// ignored:
//   FRAME key CODE down|up      CODE: a virtual-key code, or one letter or digit
//   FRAME mouse X Y             a motion event, y counted from the bottom row
//   FRAME button 0|1|2 down|up
//   FRAME dt SECONDS            the frame's time step, as a recording saw it
// A UTF-8 byte-order mark before the first line is skipped.
#pragma once

#include <string>
#include <vector>

struct ScriptEvent {
    enum Kind { kKey, kMouse, kButton, kFrameTime };
    long frame = 0;
    Kind kind = kKey;
    int code = 0;  // the virtual key or the button
    bool down = false;
    int x = 0, y = 0;
    double seconds = 0.0;  // a frame time's step
};

// Reads the script, its events ordered by frame (file order within a
// frame). A line that is not an event stops the reading: false, with
// "FILE:LINE: reason" in `error`.
bool ReadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error);

// The script line of one event, without its newline; ParseScript reads it
// back as the same event, a frame time to the last bit.
std::string FormatScriptEvent(const ScriptEvent& event);

// Parses the text of a script; `name` labels the errors.
bool ParseScript(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                 std::string& error);
