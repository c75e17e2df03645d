// The command line of model-viewer.
#pragma once

#include <string>

namespace ondra::viewer {

struct Options {
    std::string modelPath;
    std::string screenshotPath;  // empty: interactive
    int mode = 5;                // DRAW_MATERIALS
    bool infoOnly = false;       // load, print, exit; no window
    bool help = false;           // print the usage, nothing else
};

// False, with the reason in `error`, for a command line that makes no sense.
bool ParseOptions(int argc, char** argv, Options& options, std::string& error);

const char* Usage();

}  // namespace ondra::viewer
