// map-check: checks a level file for the level designers, without a window.
//
//   map-check [--picture OUT.bmp] [--data DIR] map.txt
//
// Prints one line per finding on standard output, "map.txt:LINE: error:
// ..." or "map.txt:LINE: warning: ..." ("map.txt: warning: ..." for what
// belongs to no one line), then "map.txt: N errors, M warnings". The names
// in the map are looked up in DIR, by default the folder the map lies in.
// With --picture it also draws the level from above into a BMP.
//
// Exit status: 0 without errors, 1 with errors (or when the map cannot be
// read, or standard output did not take the findings), 3 when the picture
// cannot be written, 2 for a wrong command line, a picture that would
// replace a file the check reads among them.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "framework/load3ds/texture_names.h"
#include "framework/platform/same_file.h"
#include "framework/standard_output.h"
#include "tools/map-check/map_check.h"
#include "tools/map-check/map_file.h"
#include "tools/map-check/map_picture.h"

namespace {

constexpr const char* kUsage = "usage: map-check [--picture OUT.bmp] [--data DIR] map.txt\n";

// A wrong command line: why, then the usage, on standard error.
int Usage(const std::string& why) {
    std::fprintf(stderr, "map-check: %s\n%s", why.c_str(), kUsage);
    return 2;
}

struct CommandLine {
    std::string mapPath, picturePath, dataDir;
    bool help = false;
};

// 0 when the command line is sound, else the exit status.
int Parse(int argc, char** argv, CommandLine& line) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            line.help = true;
        } else if (arg == "--picture" || arg == "--data") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage("missing value for " + arg);
            std::string& value = arg == "--picture" ? line.picturePath : line.dataDir;
            // A second value would silently win over the first.
            if (!value.empty()) return Usage(arg + " is given twice: give it once");
            value = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage("unknown option " + arg);
        } else if (line.mapPath.empty()) {
            line.mapPath = arg;
        } else {
            return Usage("give one map file");
        }
    }
    if (!line.help && line.mapPath.empty()) return Usage("no map file given");
    return 0;
}

// Why the picture must not be written: it would replace one of the run's
// inputs (see InputsOf); empty when it replaces none.
std::string ReplacedInput(const std::string& picture, const std::vector<std::string>& inputs) {
    for (size_t i = 0; i < inputs.size(); ++i) {
        if (!ondra::platform::SameFile(picture.c_str(), inputs[i].c_str())) continue;
        const std::string what = i == 0   ? "the map " + inputs[i]
                                 : i == 1 ? inputs[i] + ", the planet surface's model"
                                          : inputs[i] + ", a file the map or its models name";
        return "--picture " + picture + " would replace " + what + "; give another file";
    }
    return "";
}

}  // namespace

int main(int argc, char** argv) {
    CommandLine line;
    if (const int status = Parse(argc, argv, line)) return status;
    if (line.help) {
        std::fputs(kUsage, stdout);
        return ondra::StandardOutputWritten("map-check") ? 0 : 1;
    }
    const std::string& mapPath = line.mapPath;
    ondra::PlainTextureNamesOnly(true);  // the models' textures as the game reads them
    mapcheck::CheckOptions options;
    options.dataDir = line.dataDir.empty() ? mapcheck::DataDirOf(mapPath) : line.dataDir;
    std::string whyNot;
    const std::unique_ptr<mapcheck::MapCheck> check = mapcheck::CheckMapFile(mapPath, options, &whyNot);
    if (!check) {
        std::printf("%s: error: cannot read the map file: %s\n", mapPath.c_str(), whyNot.c_str());
        std::printf("%s\n", mapcheck::FormatSummary(mapPath, 1, 0).c_str());
        ondra::StandardOutputWritten("map-check");
        return 1;
    }
    if (!line.picturePath.empty()) {
        const std::string refusal =
            ReplacedInput(line.picturePath, mapcheck::InputsOf(mapPath, check->Model(), options.dataDir));
        if (!refusal.empty()) return Usage(refusal);
    }
    for (const mapcheck::Finding& finding : check->Results().Sorted())
        std::printf("%s\n", mapcheck::FormatFinding(mapPath, finding).c_str());
    std::printf("%s\n", mapcheck::FormatSummary(mapPath, check->Errors(), check->Warnings()).c_str());

    bool pictureFailed = false;
    if (!line.picturePath.empty()) {
        const mapcheck::MapPicture picture(check->Model(), mapPath);
        errno = 0;
        if (!picture.SaveBmp(line.picturePath)) {
            const int reason = errno;
            std::fprintf(stderr, "map-check: cannot write the picture %s: %s\n", line.picturePath.c_str(),
                         reason ? std::strerror(reason) : "the write failed");
            pictureFailed = true;
        }
    }
    // The findings are the report: lost, they are no check.
    const bool reported = ondra::StandardOutputWritten("map-check");
    // A picture it could not write is status 3, as an output the game
    // cannot write.
    if (pictureFailed) return 3;
    return check->Errors() > 0 || !reported ? 1 : 0;
}
