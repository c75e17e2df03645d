// Standard error kept quiet for a while: some system libraries (the sound
// library and the ones under it) print their own lines while they look for
// a device, where the program has one message of its own to say.
#pragma once

namespace ondra::platform {

// While one lives, what anything in the process writes to standard error
// is dropped; the destructor puts standard error back as it was.
class QuietStandardError {
public:
    QuietStandardError();
    ~QuietStandardError();
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

}  // namespace ondra::platform
