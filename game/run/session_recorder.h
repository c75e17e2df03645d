// SessionRecorder: --record. Writes a live session as a script that
// --script plays back exactly: every key, mouse and button event the window
// handled, at the frame it came before, each frame's time step, and the
// movement keys as the frames saw them held (a key's state can change
// without an event the game hears, as when the window loses the focus, and
// the keys are found by their place on the keyboard, which events do not
// give). The script is written at the end of the run, through a temporary
// file and a rename.
#pragma once

#include <string>
#include <vector>

#include "game/run/script.h"

class SessionRecorder {
public:
    // Records into `file` (nothing when empty) a session in a window of
    // that size, which its playback must share.
    void Start(const std::string& file, int width, int height);
    bool Recording() const { return !file.empty(); }

    // The window's handlers heard an event before frame `frame`.
    void Key(long frame, int virtualKey, bool down);
    void Mouse(long frame, int x, int y);
    void Button(long frame, int button, bool down);
    // Frame `frame` took this step on the game's clock.
    void FrameTime(long frame, double seconds);
    // Frame `frame` found the key held or not.
    void Held(long frame, int virtualKey, bool held);

    // The run ended after `framesDrawn` frames: writes the script. True
    // when written or when nothing was recorded; the reason is on standard
    // error otherwise.
    bool Finish(long framesDrawn);
    // The script as it stands after `framesDrawn` frames.
    std::string Text(long framesDrawn) const;

private:
    void Add(const ScriptEvent& event);

    std::string file;
    std::string header;
    std::vector<ScriptEvent> events;
    std::vector<bool> keysDown = std::vector<bool>(256, false);  // as the playback will hold them
    bool finished = false;
};
