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
// Exit status: 0 without errors, 1 with errors (or when the map or the
// picture cannot be read or written), 2 for a wrong command line.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/map-check/map_check.h"
#include "tools/map-check/map_picture.h"

namespace {

int Usage(const char* why) {
    if (why) std::fprintf(stderr, "map-check: %s\n", why);
    std::fprintf(stderr, "usage: map-check [--picture OUT.bmp] [--data DIR] map.txt\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    std::string mapPath, picturePath, dataDir;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            Usage(nullptr);
            return 0;
        }
        if (arg == "--picture" || arg == "--data") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') return Usage(("missing value for " + arg).c_str());
            (arg == "--picture" ? picturePath : dataDir) = argv[++i];
        } else if (arg.size() > 1 && arg[0] == '-') {
            return Usage(("unknown option " + arg).c_str());
        } else if (mapPath.empty()) {
            mapPath = arg;
        } else {
            return Usage("give one map file");
        }
    }
    if (mapPath.empty()) return Usage("no map file given");

    mapcheck::CheckOptions options;
    options.dataDir = dataDir.empty() ? mapcheck::DataDirOf(mapPath) : dataDir;
    const std::unique_ptr<mapcheck::MapCheck> check = mapcheck::CheckMapFile(mapPath, options);
    if (!check) {
        std::printf("%s: error: cannot open the map file\n", mapPath.c_str());
        std::printf("%s\n", mapcheck::FormatSummary(mapPath, 1, 0).c_str());
        return 1;
    }
    for (const mapcheck::Finding& finding : check->Results().Sorted())
        std::printf("%s\n", mapcheck::FormatFinding(mapPath, finding).c_str());
    std::printf("%s\n", mapcheck::FormatSummary(mapPath, check->Errors(), check->Warnings()).c_str());

    bool pictureFailed = false;
    if (!picturePath.empty()) {
        const mapcheck::MapPicture picture(check->Model(), mapPath);
        if (!picture.SaveBmp(picturePath)) {
            std::fprintf(stderr, "map-check: cannot write the picture %s\n", picturePath.c_str());
            pictureFailed = true;
        }
    }
    return check->Errors() > 0 || pictureFailed ? 1 : 0;
}
