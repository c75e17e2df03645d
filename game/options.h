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
    bool help = false;
};

// The usage text --help prints.
extern const char* const kUsage;

// Reads argv[1..]; on a bad or unknown option returns false with the reason.
bool ParseOptions(int argc, const char* const* argv, GameOptions& options, std::string& error);

// The folder to play in: `given` if not empty; else the working directory
// if it holds map.txt; else ../data beside the executable (a build tree);
// else ../share/compound beside it (an installed tree). The folders tried
// are listed in `searched`.
std::string FindDataDir(const std::string& given, std::vector<std::string>& searched);
