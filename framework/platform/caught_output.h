// CaughtOutput: what the program's own standard output and standard error
// receive, caught into temporary files for a while, at the level of the
// descriptors, so that what a library prints with printf is caught too.
#pragma once

#include <string>

namespace ondra::platform {

class CaughtOutput {
public:
    // Flushes both streams and starts catching them.
    CaughtOutput();
    ~CaughtOutput();
    CaughtOutput(const CaughtOutput&) = delete;
    CaughtOutput& operator=(const CaughtOutput&) = delete;

    // Ends the catching and gives what each stream received; a stream
    // that could not be caught went where it always goes, and gives "".
    void Release(std::string& out, std::string& err);

private:
    int saved[2] = {-1, -1};
    int caught[2] = {-1, -1};
};

}  // namespace ondra::platform
