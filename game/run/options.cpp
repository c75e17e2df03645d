// Parsing the command line and finding the game's data.
#include "game/run/options.h"

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <set>

#include "framework/platform/program_path.h"
#include "game/run/printable.h"
#include "game/run/whole_number.h"

namespace {

namespace fs = std::filesystem;

bool ParseShot(const std::string& text, Screenshot& shot) {
    const size_t colon = text.find(':');
    if (colon == std::string::npos) return false;
    shot.file = text.substr(colon + 1);
    return !shot.file.empty() && ParseWholeNumber(text.substr(0, colon), 0, LONG_MAX, shot.frame);
}

// "WxH", each side 16 to 4096 pixels.
bool ParseSize(const std::string& text, int& width, int& height) {
    const size_t x = text.find('x');
    long w = 0, h = 0;
    if (x == std::string::npos || !ParseWholeNumber(text.substr(0, x), 16, 4096, w) ||
        !ParseWholeNumber(text.substr(x + 1), 16, 4096, h))
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

bool HoldsMap(const fs::path& dir) {
    std::error_code error;
    return fs::is_regular_file(dir / "map.txt", error);
}

// How a searched folder is listed: a folder that is not there or is no
// folder, and a map.txt that is there but is no file or cannot be reached,
// are named, or the user would look for the map in vain.
std::string Searched(const fs::path& dir) {
    std::error_code error;
    const fs::file_status folder = fs::status(dir, error);
    if (error && error != std::errc::no_such_file_or_directory)
        return dir.string() + " (it cannot be reached: " + error.message() + ")";
    if (!fs::exists(folder)) {
        std::error_code linkError;
        const bool dangling = fs::is_symlink(fs::symlink_status(dir, linkError));
        return dir.string() + (dangling ? " (a link to a folder that does not exist)" : " (it does not exist)");
    }
    if (!fs::is_directory(folder)) return dir.string() + " (it is not a folder)";
    const fs::path map = dir / "map.txt";
    const fs::file_status status = fs::status(map, error);
    if (fs::is_directory(status)) return dir.string() + " (its map.txt is a directory, not a map file)";
    if (fs::exists(status) && !fs::is_regular_file(status)) return dir.string() + " (its map.txt is not a regular file)";
    if (fs::exists(status)) return dir.string();
    std::error_code linkError;
    if (!fs::is_symlink(fs::symlink_status(map, linkError))) return dir.string();
    if (error && error != std::errc::no_such_file_or_directory)
        return dir.string() + " (its map.txt cannot be reached: " + error.message() + ")";
    return dir.string() + " (its map.txt is a link to a file that does not exist)";
}

// Every option, whether it takes a value, and what it sets. A switch is
// applied with an empty value; an option whose value does not parse (or is
// empty) stops the parsing.
struct OptionRule {
    const char* name;
    bool takesValue;
    bool (*apply)(const std::string& value, GameOptions& options);
    const char* form = "";  // what a value must be, for the message about a bad one
};

const OptionRule kOptionRules[] = {
    {"--help", false,
     [](const std::string&, GameOptions& o) {
         o.help = true;
         return true;
     }},
    {"--no-cull", false,
     [](const std::string&, GameOptions& o) {
         o.cull = false;
         return true;
     }},
    {"--mute", false,
     [](const std::string&, GameOptions& o) {
         o.mute = true;
         return true;
     }},
    {"--audio", true,
     [](const std::string& v, GameOptions& o) {
         o.audioFile = v;
         return true;
     }},
    {"--volume", true,
     [](const std::string& v, GameOptions& o) {
         long number = 0;
         const bool ok = ParseWholeNumber(v, 0, 100, number);
         o.volume = static_cast<int>(number);
         return ok;
     }},
    {"--breakdown", false,
     [](const std::string&, GameOptions& o) {
         o.breakdown = true;
         return true;
     }},
    {"--data", true,
     [](const std::string& v, GameOptions& o) {
         o.dataDir = v;
         return true;
     }},
    {"--script", true,
     [](const std::string& v, GameOptions& o) {
         o.scriptAndTimedemo = o.scriptAndTimedemo || o.timedemo;
         o.scriptFile = v;
         o.timedemo = false;
         return true;
     }},
    {"--timedemo", true,
     [](const std::string& v, GameOptions& o) {
         o.scriptAndTimedemo = o.scriptAndTimedemo || (!o.scriptFile.empty() && !o.timedemo);
         o.scriptFile = v;
         o.timedemo = true;
         return true;
     }},
    {"--record", true,
     [](const std::string& v, GameOptions& o) {
         o.recordFile = v;
         return true;
     }},
    {"--dt", true, [](const std::string& v, GameOptions& o) { return ParseSeconds(v, o.dt); },
     "seconds, over 0 and at most 60"},
    {"--fps", true,
     [](const std::string& v, GameOptions& o) {
         long number = 0;
         const bool ok = ParseWholeNumber(v, 0, 1000, number);
         o.fps = static_cast<int>(number);
         o.fpsGiven = true;
         return ok;
     },
     "frames per second, 0 (no limit) to 1000"},
    {"--frames", true,
     [](const std::string& v, GameOptions& o) { return ParseWholeNumber(v, 1, LONG_MAX, o.frames); },
     "a whole number of frames, 1 or more"},
    {"--size", true, [](const std::string& v, GameOptions& o) { return ParseSize(v, o.width, o.height); },
     "WIDTHxHEIGHT in pixels, each 16 to 4096"},
    {"--state", true,
     [](const std::string& v, GameOptions& o) {
         o.stateFile = v;
         return true;
     }},
    {"--shot", true,
     [](const std::string& v, GameOptions& o) {
         Screenshot shot;
         const bool ok = ParseShot(v, shot);
         o.shots.push_back(shot);
         return ok;
     },
     "FRAME:FILE.bmp, the frame a whole number from 0"},
};

const OptionRule* FindOption(const std::string& name) {
    for (const OptionRule& rule : kOptionRules)
        if (name == rule.name) return &rule;
    return nullptr;
}

// Options that each parse but ask for two ways of running at once; empty
// when they go together.
std::string Contradiction(const GameOptions& o) {
    if (o.scriptAndTimedemo) return "--script and --timedemo each play a script: give one of them";
    if (o.breakdown && !o.timedemo) return "--breakdown splits the frames of a --timedemo: give --timedemo FILE too";
    if (!o.recordFile.empty() && !o.scriptFile.empty())
        return "--record records live play: it cannot go with --script or --timedemo";
    return std::string();
}

}  // namespace

const char* const kUsage =
    "usage: compound [options]\n"
    "  --data DIR         play in DIR (map.txt and the assets); default: the working\n"
    "                     directory if it holds map.txt, else ../data beside the\n"
    "                     program, else the installed ../share/compound\n"
    "  --script FILE      play scripted input on a simulated clock; the run ends\n"
    "                     after the frame of the script's last event\n"
    "  --dt SECONDS       a scripted frame's time (default 0.02)\n"
    "  --fps N            frame limit (default 60; 0 for none; scripted runs: none)\n"
    "  --frames N         end after N frames\n"
    "  --size WxH         the window's size in pixels (default 512x512)\n"
    "  --state FILE       write a report of the world when the program ends\n"
    "  --shot N:FILE.bmp  save frame N as a BMP picture (may repeat)\n"
    "  --timedemo FILE    play the script FILE as fast as possible, timing every frame\n"
    "  --breakdown        with --timedemo: also time the frame's phases\n"
    "  --record FILE      write the live session as a script that --script FILE\n"
    "                     plays back exactly (with the same --size and data)\n"
    "  --no-cull          draw everything, seen or not\n"
    "  --audio FILE.wav   write the sound, frame by frame, into FILE.wav instead\n"
    "                     of playing it (the same script gives the same file)\n"
    "  --volume N         the sound's volume, 0 to 100 (default 100)\n"
    "  --mute             play without sound (the M key mutes and unmutes)\n"
    "  --help             print this list\n"
    "F12 saves the current frame as compound-NNN.bmp in the folder the game was\n"
    "started from; M mutes and unmutes the sound.\n"
    "Exit status: 0 when the game ends normally; 1 for data the game cannot use\n"
    "(no map.txt, a model the map needs, no window); 2 for a wrong command line\n"
    "or script; 3 when an output (--state, --shot, --record, --audio) could not\n"
    "be written or a --shot frame was never drawn.\n";

bool ParseOptions(int argc, const char* const* argv, GameOptions& options, std::string& error) {
    std::set<std::string> given;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const OptionRule* rule = FindOption(option);
        if (!rule) {
            error = "unknown option " + Printable(option.size() > 64 ? Quoted(option) : option);
            return false;
        }
        // A second value would silently replace the first: a --state
        // given twice would write one of the two files only.
        if (rule->takesValue && option != "--shot" && !given.insert(option).second) {
            error = option + " is given twice: give it once (only --shot may repeat)";
            return false;
        }
        if (!rule->takesValue) {
            rule->apply(std::string(), options);
            continue;
        }
        if (i + 1 >= argc) {
            error = option + " needs a value";
            return false;
        }
        const std::string value = argv[++i];
        if (!rule->apply(value, options) || value.empty()) {
            error = "bad value for " + option + ": " + Printable(Quoted(value));
            if (*rule->form) error += std::string(" (") + rule->form + ")";
            return false;
        }
    }
    error = Contradiction(options);
    return error.empty();
}

std::string FindDataDir(const std::string& given, std::vector<std::string>& searched) {
    if (!given.empty()) {
        searched.push_back(Searched(given));
        return HoldsMap(given) ? given : std::string();
    }
    std::error_code error;
    const fs::path here = fs::current_path(error);
    searched.push_back(Searched(here));
    if (!error && HoldsMap(here)) return here.string();

    // A build tree keeps the data in build/data beside build/bin; an
    // installed tree in share/compound beside bin, wherever it was put.
    const fs::path program = ondra::platform::ProgramPath();
    if (program.empty()) return std::string();
    const fs::path prefix = program.parent_path().parent_path();
    for (const fs::path& candidate : {prefix / "data", prefix / "share" / "compound"}) {
        searched.push_back(Searched(candidate));
        if (HoldsMap(candidate)) return candidate.string();
    }
    return std::string();
}
