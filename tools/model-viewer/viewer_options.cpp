// Parsing model-viewer's command line.
#include "tools/model-viewer/viewer_options.h"

#include <cstdlib>

namespace ondra::viewer {

bool ParseOptions(int argc, char** argv, Options& options, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--info") {
            options.infoOnly = true;
        } else if (arg == "--mode" && hasValue) {
            char* end = nullptr;
            const long mode = std::strtol(argv[++i], &end, 10);
            if (*end != '\0' || mode < 1 || mode > 255) {
                error = "--mode takes a draw mode from 1 to 255";
                return false;
            }
            options.mode = static_cast<int>(mode);
        } else if (arg == "--screenshot" && hasValue) {
            options.screenshotPath = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            error = "unknown or incomplete option " + arg;
            return false;
        } else if (options.modelPath.empty()) {
            options.modelPath = arg;
        } else {
            error = "more than one model file given";
            return false;
        }
    }
    if (options.modelPath.empty() && !options.help) {
        error = "no model file given";
        return false;
    }
    return true;
}

const char* Usage() {
    return "usage: model-viewer FILE.3DS [--mode N] [--screenshot OUT.bmp]\n"
           "       model-viewer --info FILE.3DS\n"
           "Drag with the left button to turn the model; keys 1 to 5 choose the\n"
           "draw mode (points, edges, flat, smooth, materials); Esc quits.\n";
}

}  // namespace ondra::viewer
