// Test maps and running the checks on them.
#include "tests/tools/map-check/map_text.h"

#include <sstream>

namespace mapcheck::test {

const char* const kHeader =
    "blocksize 3 "
    "skybox { skywest.jpg skyeast.jpg skytop.jpg skybottom.jpg skynorth.jpg skysouth.jpg } "
    "models { armgun.3DS armtorch.3DS rack.3DS fullrack.3DS toolbox.3DS emptybox.3DS medikit.3DS emptykit.3DS "
    "vorlax.3DS deadvorl.3DS genbase.3DS gendead.3DS gencore.3DS keyred.3DS } "
    "hud { hudU.tga hudU1.tga hudU2.tga hudU3.tga hudU4.tga hudU5.tga hudL.tga hudLKey.tga hudLMed.tga "
    "hudLBoth.tga } "
    "fx { flare.jpg flame.jpg gunflare.jpg flarered.jpg storm.jpg lightning.jpg }\n";

std::string Room(int row, int column, const std::string& walls, const std::string& extra) {
    std::string text = "block " + std::to_string(row) + " " + std::to_string(column) +
                       " { ceiling { NO_LIGHT ceiling.jpg } floor { NORMAL_FLOOR floorplate.jpg }";
    const struct {
        char letter;
        const char* word;
    } sides[] = {{'n', "north"}, {'s', "south"}, {'w', "west"}, {'e', "east"}};
    for (const auto& side : sides)
        if (walls.find(side.letter) != std::string::npos) text += std::string(" ") + side.word + " { WALL wallpanel.jpg }";
    if (!extra.empty()) text += " " + extra;
    return text + " }\n";
}

std::string Objects(const std::string& objects) { return "liveobjects { " + objects + " }"; }

std::string WithHeader(const std::string& text) { return kHeader + text; }

std::string LockedDoorMap(int size, int doors, bool chain) {
    std::string text = "mapsize " + std::to_string(size) + " " + std::to_string(size) + "\n";
    text += Room(1, 1, "n", chain ? Objects("KEY { 1 keyred.3DS }") : "");
    const int perRow = (size - 1) / 2;
    for (int door = 1; door <= doors; ++door) {
        const int row = 3 + 2 * ((door - 1) / perRow), column = 2 + 2 * ((door - 1) % perRow);
        const int key = chain ? door + 1 : door;
        std::string objects = "LOCK_DOOR { " + std::to_string(door) + " south doorlock.tga }";
        if (!chain || door < doors) objects += " KEY { " + std::to_string(key) + " keyred.3DS }";
        text += Room(row, column, "nwe", Objects(objects));
    }
    return text;
}

std::vector<std::string> CheckLines(const std::string& text, const std::string& dataDir) {
    // The data folder's files are read once for all the tests.
    static FileCheck files;
    CheckOptions options;
    options.dataDir = dataDir;
    options.files = &files;
    std::istringstream in(WithHeader(text));
    const MapCheck check(in, options);
    std::vector<std::string> lines;
    for (const Finding& finding : check.Results().Sorted()) lines.push_back(FormatFinding("map.txt", finding));
    return lines;
}

}  // namespace mapcheck::test
