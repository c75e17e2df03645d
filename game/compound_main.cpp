// compound: the game. Reads the command line, finds the data folder and
// plays there; see kUsage in options.cpp for the options.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "framework/main.h"
#include "game/my_app.h"
#include "game/options.h"
#include "game/script.h"

namespace {

// The one application: the framework finds it when the program starts.
MyApp app;

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

}  // namespace

int main(int argc, char** argv) {
    GameOptions options;
    std::string error;
    if (!ParseOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "compound: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::vector<ScriptEvent> events;
    if (!options.scriptFile.empty() && !ReadScript(options.scriptFile, events, error)) {
        std::fprintf(stderr, "compound: %s\n", error.c_str());
        return 2;
    }
    options.stateFile = FromHere(options.stateFile);
    // The data folder may be read-only (an installed game): pictures go to
    // where the player started it.
    std::error_code noFolder;
    options.pictureDir = std::filesystem::current_path(noFolder).string();
    for (Screenshot& shot : options.shots) shot.file = FromHere(shot.file);

    std::vector<std::string> searched;
    const std::string dataDir = FindDataDir(options.dataDir, searched);
    std::error_code notEntered;
    if (!dataDir.empty()) std::filesystem::current_path(dataDir, notEntered);
    if (dataDir.empty() || notEntered) {
        std::fprintf(stderr, "compound: no map.txt found; searched %s\n", JoinFolders(searched).c_str());
        return 1;
    }
    app.window.Configure(options, std::move(events));
    ondra::Main::Instance()->SetConsole(true);
    const int result = ondra::Main::Instance()->Execute(argc, argv);
    app.window.EndRun();
    std::fflush(stdout);
    return result;
}
