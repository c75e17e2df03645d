// The map picture: the colour of known cells, walls, doors and objects of a
// small map, and the BMP read back with the game's own image reader.
#include <gtest/gtest.h>

#include <sstream>

#include "framework/image.h"
#include "tests/support/scratch_folder.h"
#include "tests/tools/map-check/map_text.h"
#include "tools/map-check/map_picture.h"

namespace mapcheck::test {
namespace {

namespace c = colours;

std::string Describe(Rgb p) {
    return "(" + std::to_string(p.r) + ", " + std::to_string(p.g) + ", " + std::to_string(p.b) + ")";
}

// Row 1: a lamp, a creature with key 2, the weapon behind a locked door
// for key 2; an automatic door between the first two. Row 2: an empty
// cell, a block without a floor and a walled-in room.
class MapPictureTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::istringstream in(WithHeader(
            "mapsize 2 3\n" + Room(1, 1, "ns", Objects("LIGHT { } AUTO_DOOR { east doorslide.jpg }")) +
            Room(1, 2, "ns", Objects("VORLAX { } KEY { 2 keyred.3DS }")) +
            Room(1, 3, "nse", Objects("WEAPON { } LOCK_DOOR { 2 west doorlock.tga }")) +
            "block 2 2 { north { WALL wallpipes.bmp } }\n" + Room(2, 3, "nswe")));
        CheckOptions options;
        options.checkFiles = false;
        check = std::make_unique<MapCheck>(in, options);
        picture = std::make_unique<MapPicture>(check->Model(), "test map");
    }

    // The colour at (dx, dy) pixels from the middle of block (row, column).
    Rgb AtCell(int row, int column, int dx = 0, int dy = 0) const {
        const PictureLayout& l = picture->Layout();
        return picture->At(l.CellX(column) + l.cell / 2 + dx, l.CellY(row) + l.cell / 2 + dy);
    }

    std::unique_ptr<MapCheck> check;
    std::unique_ptr<MapPicture> picture;
};

#define EXPECT_COLOUR(actual, expected) EXPECT_EQ(actual, expected) << Describe(actual) << " not " << Describe(expected)

TEST_F(MapPictureTest, CellsShowFloorRockAndWhatCannotBeReached) {
    EXPECT_COLOUR(AtCell(1, 1, -6, 6), c::kFloor);
    EXPECT_COLOUR(AtCell(2, 1), c::kRock);
    EXPECT_COLOUR(AtCell(2, 2), c::kRockBlock);
    EXPECT_COLOUR(AtCell(2, 3), c::kFloorCutOff);
    // West of the second row lies the planet surface.
    const PictureLayout& l = picture->Layout();
    EXPECT_COLOUR(picture->At(l.mapLeft - 4, l.CellY(2) + l.cell / 2), c::kSurface);
}

TEST_F(MapPictureTest, WallsStandInsideTheirOwnBlock) {
    const PictureLayout& l = picture->Layout();
    EXPECT_EQ(l.cell, 24);
    // Block 1 1's north wall along its top; its open west side is floor.
    EXPECT_COLOUR(picture->At(l.CellX(1) + 12, l.CellY(1) + 1), c::kWall);
    EXPECT_COLOUR(picture->At(l.CellX(1) + 4, l.CellY(1) + 18), c::kFloor);
    // Block 2 2's only wall is its north one, inside block 2 2.
    EXPECT_COLOUR(picture->At(l.CellX(2) + 4, l.CellY(2) + 1), c::kWall);
    EXPECT_COLOUR(picture->At(l.CellX(2) + 4, l.CellY(2) + 20), c::kRockBlock);
}

TEST_F(MapPictureTest, DoorsSitOnTheirSideAndTheLockedOneShowsItsKey) {
    const PictureLayout& l = picture->Layout();
    const int middle = l.CellY(1) + l.cell / 2;
    EXPECT_COLOUR(picture->At(l.CellX(2), middle - 6), SymbolColour(MapObjectKind::kAutomaticDoor));
    EXPECT_COLOUR(picture->At(l.CellX(2) - 1, middle + 6), SymbolColour(MapObjectKind::kAutomaticDoor));
    // The locked door's bar, and its number in white in the middle.
    EXPECT_COLOUR(picture->At(l.CellX(3), middle - 8), SymbolColour(MapObjectKind::kLockedDoor));
    bool number = false;
    for (int y = middle - 5; y <= middle + 5; ++y)
        for (int x = l.CellX(3) - 5; x <= l.CellX(3) + 5; ++x) number = number || picture->At(x, y) == c::kKeyNumber;
    EXPECT_TRUE(number);
}

TEST_F(MapPictureTest, ObjectsStandWhereTheLoaderPutsThem) {
    // The lamp's ring round the middle of its block, floor inside it.
    EXPECT_COLOUR(AtCell(1, 1, 7, 0), SymbolColour(MapObjectKind::kLight));
    EXPECT_COLOUR(AtCell(1, 1, 0, -7), SymbolColour(MapObjectKind::kLight));
    EXPECT_COLOUR(AtCell(1, 1), c::kFloor);
    // The creature in the middle, its key towards the south-east.
    EXPECT_COLOUR(AtCell(1, 2), SymbolColour(MapObjectKind::kVorlax));
    EXPECT_COLOUR(AtCell(1, 2, 4, 4), SymbolColour(MapObjectKind::kKey));
    // The weapon rack against the north wall of block 1 3.
    const PictureLayout& l = picture->Layout();
    EXPECT_COLOUR(picture->At(l.CellX(3) + 12, l.CellY(1) + 5), SymbolColour(MapObjectKind::kWeapon));
    EXPECT_COLOUR(picture->At(l.CellX(3) + 12, l.CellY(1) + 12), c::kFloor);
}

TEST_F(MapPictureTest, TheRampLeadsWestFromTheEntrance) {
    const PictureLayout& l = picture->Layout();
    EXPECT_COLOUR(picture->At(l.mapLeft - 2 * l.cell + 1, l.mapTop + 2), c::kRamp);
    EXPECT_COLOUR(picture->At(l.mapLeft - l.cell, l.mapTop + l.cell / 2), c::kEntrance);
}

TEST_F(MapPictureTest, TheBmpReadsBackWithTheGameImageReader) {
    const ondra::test::ScratchFolder dir;
    const std::string file = dir.File("plan.bmp");
    ASSERT_TRUE(picture->SaveBmp(file));
    ondra::Image image;
    ASSERT_TRUE(image.Load(file.c_str()));
    const PictureLayout& l = picture->Layout();
    ASSERT_EQ(image.Width(), l.width);
    ASSERT_EQ(image.Height(), l.height);
    // Image rows count from the bottom.
    for (int y = 0; y < l.height; y += 7) {
        for (int x = 0; x < l.width; x += 5) {
            std::uint8_t r, g, b, a;
            image.GetPixel(x, l.height - 1 - y, r, g, b, a);
            const Rgb expected = picture->At(x, y);
            ASSERT_TRUE(r == expected.r && g == expected.g && b == expected.b) << x << ", " << y;
        }
    }
}

TEST(MapPictureSizeTest, LargeMapsGetSmallerCells) {
    std::istringstream in("mapsize 400 100\n");
    CheckOptions options;
    options.checkFiles = false;
    const MapCheck check(in, options);
    const MapPicture picture(check.Model(), "big");
    EXPECT_EQ(picture.Layout().cell, 4);
    EXPECT_LE(picture.Layout().height, 1700);
}

}  // namespace
}  // namespace mapcheck::test
