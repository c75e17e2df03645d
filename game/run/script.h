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

// Kept in 32 bytes: a recording of an hour's play holds millions of them.
struct ScriptEvent {
    enum Kind : unsigned char { kKey, kMouse, kButton, kFrameTime };
    long frame = 0;
    double seconds = 0.0;  // a frame time's step
    int x = 0, y = 0;
    int line = 0;  // of the script; 0 for an event no script gave
    short code = 0;  // the virtual key (1 to 254) or the button
    Kind kind = kKey;
    bool down = false;
};

// Reads the script, its events ordered by frame (file order within a
// frame). A line that is not an event stops the reading: false, with
// "FILE:LINE: reason" in `error`.
bool ReadScript(const std::string& path, std::vector<ScriptEvent>& events, std::string& error);

// The script line of one event, without its newline; ParseScript reads it
// back as the same event, a frame time to the last bit.
std::string FormatScriptEvent(const ScriptEvent& event);

// Parses the text of a script; `name` labels the errors. ReadScript reads
// its file the same way, a line at a time, so the text is never held
// whole.
bool ParseScript(const std::string& text, const std::string& name, std::vector<ScriptEvent>& events,
                 std::string& error);
