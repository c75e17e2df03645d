// The compound program's command line. Every option is optional; without
// any the game plays with the real keyboard and mouse on the system clock.
#pragma once

#include <string>
#include <vector>

struct Screenshot {
    long frame;
    std::string file;
};

struct GameOptions {
    std::string dataDir;     // empty: found by FindDataDir
    std::string scriptFile;  // empty: real input
    std::string recordFile;  // empty: the live session is not recorded
    double dt = 0.02;        // seconds per frame of a scripted run
    int fps = 60;            // frame limit; 0 for none
    int width = 512;         // of the window's drawing area
    int height = 512;
    bool fpsGiven = false;
    long frames = -1;  // end after this many frames; -1 never
    std::string stateFile;
    std::string pictureDir;  // where F12 saves; empty: the data folder
    std::vector<Screenshot> shots;
    bool timedemo = false;  // time every frame of the script and report
    bool breakdown = false; // the timedemo also splits the frame into phases
    bool cull = true;       // skip draws that cannot be seen
    std::string audioFile;  // the sound rendered frame by frame into this WAV file
    bool mute = false;      // no sound at all: the sound library is not even loaded
    int volume = 100;       // 0 to 100
    bool help = false;
    // Both --script and --timedemo were given: one script, one way to play it.
    bool scriptAndTimedemo = false;
};

// The exit statuses of the compound program.
constexpr int kExitData = 1;     // data the game cannot use: no map, a missing model, no window
constexpr int kExitUsage = 2;    // a wrong command line or script
constexpr int kExitOutput = 3;   // an output (--state, --shot, --record, --audio) could not be written

// The usage text --help prints.
extern const char* const kUsage;

// Reads argv[1..]; on a bad or unknown option, or options that cannot go
// together, returns false with the reason.
bool ParseOptions(int argc, const char* const* argv, GameOptions& options, std::string& error);

// The folder to play in: `given` if not empty; else the working directory
// if it holds map.txt; else ../data beside the executable (a build tree);
// else ../share/compound beside it (an installed tree). The folders tried
// are listed in `searched`, each with a note when its map.txt is there but
// is no file (a directory, a FIFO).
std::string FindDataDir(const std::string& given, std::vector<std::string>& searched);
