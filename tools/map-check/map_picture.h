// MapPicture: the level drawn from above, north up: floor cells, rock,
// walls, the entrance and the ramp, and every object with its kind's
// symbol (object_kinds.h) at the place the loader puts it, doors with
// their key number, and a legend to the right. Open blocks that cannot be reached
// from the entrance are tinted. Saved as a 24-bit BMP with the framework's
// image encoder.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/map-check/map_model.h"

namespace mapcheck {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Rgb& o) const { return !(*this == o); }
};

// The picture's colours; each kind of object has its own in its
// MapSymbol (game/level_file/object_kinds.h).
namespace colours {
constexpr Rgb kBackground{238, 236, 228};  // paper, round the map and under the legend
constexpr Rgb kSurface{112, 100, 78};      // the planet surface round the compound
constexpr Rgb kRock{52, 50, 54};           // an empty cell
constexpr Rgb kRockBlock{82, 80, 88};      // a block without a floor
constexpr Rgb kFloor{206, 206, 196};
constexpr Rgb kFloorLine{184, 184, 174};   // the cell grid on floors
constexpr Rgb kFloorCutOff{224, 168, 168};  // a floor the player cannot reach
constexpr Rgb kWall{18, 18, 18};
constexpr Rgb kSolidFace{150, 150, 150};   // a face that stops the player but is not drawn
constexpr Rgb kKeyNumber{255, 255, 255};
constexpr Rgb kEntrance{255, 215, 0};
constexpr Rgb kRamp{176, 146, 100};
constexpr Rgb kRampStripe{150, 122, 82};
constexpr Rgb kText{20, 20, 20};
}  // namespace colours

// The colour of the kind's symbol.
Rgb SymbolColour(MapObjectKind kind);

// Where things are in the picture; pixels count from the top left.
struct PictureLayout {
    int cell = 24;    // pixels per block side
    int mapLeft = 0;  // the map's north-west corner
    int mapTop = 0;
    int width = 0;
    int height = 0;

    // The pixel column of world x and the pixel row of world z.
    int X(float x) const;
    int Y(float z) const;
    // The top-left pixel of block (row, column), 1-based.
    int CellX(int column) const { return mapLeft + (column - 1) * cell; }
    int CellY(int row) const { return mapTop + (row - 1) * cell; }
};

class MapPicture {
public:
    // Draws the map; `title` heads the picture (the map's name).
    MapPicture(const MapModel& model, const std::string& title);

    const PictureLayout& Layout() const { return layout; }
    // The pixel at (x, y), y from the top; black outside the picture.
    Rgb At(int x, int y) const;
    // As a 24-bit BMP. A file already there is replaced only by a complete
    // picture; false when it cannot be written.
    bool SaveBmp(const std::string& path) const;

private:
    PictureLayout layout;
    std::vector<Rgb> pixels;  // rows top first
};

}  // namespace mapcheck
