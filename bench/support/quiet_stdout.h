// Sends standard output to /dev/null while in scope, so the readers' trace
// lines do not slow or clutter a benchmark.
#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

namespace ondra::bench {

class QuietStdout {
public:
    QuietStdout() : saved_(dup(1)) {
        std::fflush(stdout);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, 1);
        close(null);
    }
    ~QuietStdout() {
        std::fflush(stdout);
        dup2(saved_, 1);
        close(saved_);
    }
    QuietStdout(const QuietStdout&) = delete;
    QuietStdout& operator=(const QuietStdout&) = delete;

private:
    int saved_;
};

}  // namespace ondra::bench
