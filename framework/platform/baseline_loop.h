// A frame loop written straight against Xlib and GLX, without the
// framework: the baseline the framework's own loop is measured against.
#pragma once

namespace ondra::platform {

class BaselineLoop {
public:
    BaselineLoop(int width, int height);
    ~BaselineLoop();
    BaselineLoop(const BaselineLoop&) = delete;
    BaselineLoop& operator=(const BaselineLoop&) = delete;

    bool ok() const;
    // Per frame: take every pending event, clear, swap.
    void RunFrames(int frames);
    // Per frame: take every pending event, call drawFrame (which clears what
    // it needs), swap.
    void RunFrames(int frames, void (*drawFrame)());

private:
    struct State;
    State* state_;
};

}  // namespace ondra::platform
