// compound: the game. Reads the command line, finds the data folder and
// plays there; see kUsage in options.cpp for the options.
#include <csignal>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/load3ds/load_warnings.h"
#include "framework/load3ds/texture_names.h"
#include "framework/main.h"
#include "framework/standard_output.h"
#include "game/my_app.h"
#include "game/run/options.h"
#include "game/run/run_files.h"
#include "game/run/script.h"

namespace {

// The one application, made once the command line has been read: its
// window connects to the display, which --help and a wrong command line
// must not need. It lives to the end of the program, as the framework's
// applications do.
MyApp& TheApp() {
    static MyApp app;
    return app;
}

// Plays the run; its exit status.
int Play(const GameOptions& options, std::vector<ScriptEvent> events, int argc, char** argv) {
    MyApp& app = TheApp();
    app.window.Configure(options, std::move(events));
    MyApp::EndOnInterrupt();
    // Several models name one texture file: a missing one is said once.
    ondra::WarnOncePerTexture(true);
    ondra::Main::Instance()->SetConsole(true);
    int result = ondra::Main::Instance()->Execute(argc, argv);
    if (!app.window.EndRun() && result == 0) result = kExitOutput;
    // The timedemo's report is an output too. Other runs print traces,
    // which a reader that stopped reading (compound | head) may do without.
    if (options.timedemo && !ondra::StandardOutputWritten("compound") && result == 0) result = kExitOutput;
    std::fflush(stdout);
    MyApp::RaiseCaughtInterrupt();
    return result;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef SIGPIPE
    // Output piped into a program that stops reading (compound ... | head)
    // must not end the run before it writes its state report.
    std::signal(SIGPIPE, SIG_IGN);
#endif
    GameOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "compound: %s\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return ondra::StandardOutputWritten("compound") ? 0 : kExitOutput;
    }
    // The models lie in the data folder, and so must what they make the
    // game read: a texture named by a path is not read (nor kept off the
    // outputs).
    ondra::PlainTextureNamesOnly(true);
    std::vector<ScriptEvent> events;
    if (!options.scriptFile.empty() && !ReadScript(options.scriptFile, events, error)) {
        std::fprintf(stderr, "compound: %s\n", error.c_str());
        return kExitUsage;
    }
    if (!PlaceOutputs(options, error)) {
        std::fprintf(stderr, "compound: %s\n", error.c_str());
        return kExitUsage;
    }
    std::string dataDir;
    if (!EnterDataDir(options, dataDir, error)) {
        std::fprintf(stderr, "compound: %s\n", error.c_str());
        return kExitData;
    }
    error = OutputConflict(options, RunInputs("map.txt", options.scriptFile));
    if (!error.empty()) {
        std::fprintf(stderr, "compound: %s\n", error.c_str());
        return kExitUsage;
    }
    error = UnwritableOutput(options);
    if (!error.empty()) {
        std::fprintf(stderr, "compound: cannot write %s; the run did not start\n", error.c_str());
        return kExitOutput;
    }
    if (options.pictureDir.empty())
        std::fprintf(stderr, "compound: the folder the game was started from no longer exists; F12 saves pictures in %s\n",
                     dataDir.c_str());
    return Play(options, std::move(events), argc, argv);
}
