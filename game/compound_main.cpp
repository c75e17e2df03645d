// compound: the game. Reads the command line, finds the data folder and
// plays there; see kUsage in options.cpp for the options.
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/main.h"
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

// Paths the user gave are meant from where the program was started, not
// from the data folder it then works in.
std::string FromHere(const std::string& path) {
    if (path.empty()) return path;
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.string();
}

std::string JoinFolders(const std::vector<std::string>& folders) {
    std::string joined;
    for (const std::string& folder : folders) joined += (joined.empty() ? "" : ", ") + folder;
    return joined;
}

bool AnyRelative(const GameOptions& options) {
    const auto relative = [](const std::string& path) {
        return !path.empty() && std::filesystem::path(path).is_relative();
    };
    if (relative(options.stateFile) || relative(options.recordFile)) return true;
    for (const Screenshot& shot : options.shots)
        if (relative(shot.file)) return true;
    return false;
}

// Output paths are made absolute from the folder the game was started in,
// and F12 saves there too: the data folder may be read-only (an installed
// game). If that folder has been deleted, relative outputs have nowhere to
// go and F12 falls back on the data folder.
bool PlaceOutputs(GameOptions& options, std::string& error) {
    std::error_code gone;
    options.pictureDir = std::filesystem::current_path(gone).string();
    if (options.pictureDir.empty() && AnyRelative(options)) {
        error = "the folder the game was started from no longer exists: give --state, --shot and --record files as absolute paths";
        return false;
    }
    options.stateFile = FromHere(options.stateFile);
    options.recordFile = FromHere(options.recordFile);
    options.scriptFile = FromHere(options.scriptFile);
    for (Screenshot& shot : options.shots) shot.file = FromHere(shot.file);
    return true;
}

// Finds the data folder and enters it; false with the message said.
bool EnterDataDir(const GameOptions& options, std::string& dataDir) {
    std::vector<std::string> searched;
    dataDir = FindDataDir(options.dataDir, searched);
    std::error_code notEntered;
    if (!dataDir.empty()) std::filesystem::current_path(dataDir, notEntered);
    if (dataDir.empty() || notEntered) {
        std::fprintf(stderr, "compound: no map.txt found; searched %s\n", JoinFolders(searched).c_str());
        return false;
    }
    return true;
}

// Plays the run; its exit status.
int Play(const GameOptions& options, std::vector<ScriptEvent> events, int argc, char** argv) {
    MyApp& app = TheApp();
    app.window.Configure(options, std::move(events));
    MyApp::EndOnInterrupt();
    ondra::Main::Instance()->SetConsole(true);
    int result = ondra::Main::Instance()->Execute(argc, argv);
    if (!app.window.EndRun() && result == 0) result = kExitOutput;
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
        return 0;
    }
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
    if (!EnterDataDir(options, dataDir)) return kExitData;
    error = OutputConflict(options, RunInputs("map.txt", options.scriptFile));
    if (!error.empty()) {
        std::fprintf(stderr, "compound: %s\n", error.c_str());
        return kExitUsage;
    }
    if (options.pictureDir.empty())
        std::fprintf(stderr, "compound: the folder the game was started from no longer exists; F12 saves pictures in %s\n",
                     dataDir.c_str());
    return Play(options, std::move(events), argc, argv);
}
