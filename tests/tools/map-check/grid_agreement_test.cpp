// map-check and the game apply a map's entries to the grid alike: the same
// size, the same block in every cell with the same faces, and as many
// objects, on the game's own map and the fuzzer's seeds (a later mapsize,
// blocks outside the grid, a cell given twice, a size out of range).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "game/level/level.h"
#include "game/world/map_loader.h"
#include "game/world/world.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"
#include "tools/map-check/map_model.h"
#include "tests/support/in_folder.h"

namespace {

namespace fs = std::filesystem;

constexpr MapFaceSlot kSlots[] = {MapFaceSlot::kWest,  MapFaceSlot::kEast,    MapFaceSlot::kNorth,
                                  MapFaceSlot::kSouth, MapFaceSlot::kCeiling, MapFaceSlot::kFloor};

std::vector<std::string> PlaythroughMaps() {
    std::vector<std::string> maps = {std::string(ONDRA_DATA_DIR) + "/map.txt"};
    for (const auto& seed : fs::directory_iterator(MAP_SEEDS_DIR)) maps.push_back(seed.path().string());
    return maps;
}

// The game's grid as map-check's records: which faces each cell's block
// has, and which of them are drawn.
void ExpectSameCell(const Block* game, const mapcheck::CellRecord* check, int row, int column) {
    ASSERT_EQ(game != nullptr, check != nullptr) << "cell " << row << " " << column;
    if (!game) return;
    for (MapFaceSlot slot : kSlots) {
        const BlockPart* face = FaceSlot(const_cast<Block&>(*game), slot).get();
        const mapcheck::FaceRecord& record = check->Face(slot);
        EXPECT_EQ(face != nullptr, record.present) << "cell " << row << " " << column << " " << MapSlotWord(slot);
        if (face && record.present) {
            EXPECT_EQ(typeid(*face) != typeid(BlockPart), record.typed)
                << "cell " << row << " " << column << " " << MapSlotWord(slot);
        }
    }
}

int TopLevelObjects(const World& world) {
    int count = 0;
    for (const CObject* group : {&world.doors, &world.lights, &world.pickups, &world.enemies})
        for (const CObject& object : group->Children()) {
            (void)object;
            ++count;
        }
    return count;
}

TEST(GridAgreement, TheGameAndMapCheckFillTheGridAlike) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    const ondra::test::InFolder inData(ONDRA_DATA_DIR);  // where the objects' models lie
    for (const std::string& path : PlaythroughMaps()) {
        SCOPED_TRACE(path);
        std::ifstream in(path, std::ios::binary);
        const MapDescription map = ReadMap(in);
        mapcheck::MapModel model;
        mapcheck::Findings findings;
        mapcheck::BuildMapModel(map, model, findings);

        World world;
        world.level.BuildFaceLists(1.0f);
        LampCounter lamps;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        LoadMap(path, world, lamps);
        testing::internal::GetCapturedStdout();
        testing::internal::GetCapturedStderr();

        ASSERT_EQ(world.level.Rows(), model.Rows());
        ASSERT_EQ(world.level.Columns(), model.Columns());
        for (int row = 1; row <= model.Rows(); ++row)
            for (int column = 1; column <= model.Columns(); ++column)
                ExpectSameCell(world.level.BlockAt(row - 1, column - 1), model.Cell(row, column), row, column);
        EXPECT_EQ(TopLevelObjects(world), static_cast<int>(model.Objects().size()));
    }
}

}  // namespace
