// Checks the generated level. The rules every map must keep (every file it
// names loads, the compound is closed and connected, walls stand on both
// sides of a shared side, doors stand in openings, keys lie before their
// doors, pickups hang on walls, generators stand in open corners, lamps
// sharing a GL light are out of each other's sight, the texture cache
// suffices) are map-check's (tools/map-check), on the game's own reader:
// it must have nothing to say about this map. The rest is what this level
// is meant to hold: its size, the tour's pickups and doors, the dark
// closet, lamps far apart, every image reader in use.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <set>
#include <sstream>

#include "tools/map-check/map_check.h"
#include "tools/map-check/reachability.h"

namespace {

using mapcheck::MapCheck;
using mapcheck::MapModel;
using mapcheck::PlacedObject;

const std::string kDataDir = ONDRA_DATA_DIR;

std::string ReadText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

class MapRules : public ::testing::Test {
protected:
    void SetUp() override {
        mapcheck::CheckOptions options;
        options.dataDir = kDataDir;
        check = mapcheck::CheckMapFile(kDataDir + "/map.txt", options);
        ASSERT_TRUE(check) << "no map.txt in " << kDataDir;
    }

    const MapModel& Model() const { return check->Model(); }

    std::vector<const PlacedObject*> ObjectsOf(MapObjectKind kind) const {
        std::vector<const PlacedObject*> found;
        for (const PlacedObject& object : Model().Objects())
            if (object.kind == kind) found.push_back(&object);
        return found;
    }

    std::unique_ptr<MapCheck> check;
};

float Distance(const PlacedObject& a, const PlacedObject& b) {
    return std::hypot(a.position.x - b.position.x, a.position.z - b.position.z);
}

TEST_F(MapRules, MapCheckHasNothingToSay) {
    std::string said;
    for (const mapcheck::Finding& finding : check->Results().Sorted())
        said += mapcheck::FormatFinding("map.txt", finding) + "\n";
    EXPECT_EQ(said, "");
}

TEST_F(MapRules, HeaderComesFirstAndDescribesALargeCompound) {
    bool seenBlock = false;
    for (const MapEntry& entry : check->Description().entries) {
        const bool block = std::holds_alternative<MapBlock>(entry);
        EXPECT_TRUE(block || !seenBlock) << "a header entry after the blocks";
        seenBlock = seenBlock || block;
    }
    EXPECT_GE(Model().Rows(), 12);
    EXPECT_GE(Model().Columns(), 12);
    ASSERT_TRUE(Model().Sky());
    EXPECT_EQ(Model().Sky()->names.size(), 6u);
}

TEST_F(MapRules, EveryOpenBlockIsReachableOnceTheKeysAreFound) {
    const mapcheck::Reachability walk(Model());
    for (const PlacedObject* door : ObjectsOf(MapObjectKind::kLockedDoor))
        EXPECT_EQ(walk.Keys().count(door->keyId), 1u) << "key " << door->keyId << " lies behind its own door";
    for (int row = 1; row <= Model().Rows(); ++row)
        for (int column = 1; column <= Model().Columns(); ++column)
            if (Model().IsOpen(row, column)) {
                EXPECT_TRUE(walk.Reached(row, column)) << row << " " << column;
            }
}

TEST_F(MapRules, TheTourHasItsDoorsAndPickupsAndTheRackGreetsThePlayer) {
    EXPECT_GE(ObjectsOf(MapObjectKind::kLockedDoor).size(), 1u);
    EXPECT_GE(ObjectsOf(MapObjectKind::kAutomaticDoor).size(), 3u);
    ASSERT_EQ(ObjectsOf(MapObjectKind::kWeapon).size(), 1u);
    ASSERT_EQ(ObjectsOf(MapObjectKind::kFlashlight).size(), 1u);
    EXPECT_GE(ObjectsOf(MapObjectKind::kMedikit).size(), 2u);
    EXPECT_GE(ObjectsOf(MapObjectKind::kVorlax).size(), 3u);
    EXPECT_GE(ObjectsOf(MapObjectKind::kGenerator).size(), 2u);
    const PlacedObject* rack = ObjectsOf(MapObjectKind::kWeapon).front();
    EXPECT_LE(std::abs(rack->row - 1) + std::abs(rack->column - 1), 2) << "the rack should greet the player";
}

TEST_F(MapRules, TheToolBoxLiesInTheDark) {
    // A lamp lights up once the player comes within 9.5 units of it.
    const PlacedObject* box = ObjectsOf(MapObjectKind::kFlashlight).front();
    const float boxX = 3.0f * static_cast<float>(box->column - 1) + 1.5f;
    const float boxZ = 3.0f * static_cast<float>(box->row - 1) + 1.5f;
    for (const PlacedObject* lamp : ObjectsOf(MapObjectKind::kLight))
        EXPECT_GT(std::hypot(lamp->position.x - boxX, lamp->position.z - boxZ), 9.5f)
            << "lamp at " << lamp->row << " " << lamp->column;
}

TEST_F(MapRules, LampsSharingALightAreFarApart) {
    const auto lamps = ObjectsOf(MapObjectKind::kLight);
    EXPECT_GE(lamps.size(), 8u);
    for (size_t i = 0; i < lamps.size(); ++i)
        for (size_t j = i + 1; j < lamps.size(); ++j)
            if (lamps[i]->lamp == lamps[j]->lamp) {
                EXPECT_GT(Distance(*lamps[i], *lamps[j]), 20.0f) << "lamps " << i << " and " << j << " share a light";
            }
}

TEST_F(MapRules, LevelTexturesUseEveryImageReader) {
    // One of each: JPEG, 24-bit BMP, 8-bit paletted BMP, run-length TGA.
    std::set<std::string> textures;
    for (int row = 1; row <= Model().Rows(); ++row) {
        for (int column = 1; column <= Model().Columns(); ++column) {
            const mapcheck::CellRecord* cell = Model().Cell(row, column);
            if (!cell) continue;
            for (const mapcheck::FaceRecord& face : cell->faces)
                if (face.present) textures.insert(face.texture);
        }
    }
    bool jpeg = false, bmp24 = false, bmp8 = false, rleTga = false;
    for (const std::string& name : textures) {
        const std::string bytes = ReadText(kDataDir + "/" + name);
        if (bytes.size() < 30) continue;
        const auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
        jpeg = jpeg || (byte(0) == 0xFF && byte(1) == 0xD8);
        if (bytes[0] == 'B' && bytes[1] == 'M') {
            bmp24 = bmp24 || byte(28) == 24;
            bmp8 = bmp8 || byte(28) == 8;
        }
        rleTga = rleTga || (name.size() > 4 && name.substr(name.size() - 4) == ".tga" && byte(2) == 10);
    }
    EXPECT_TRUE(jpeg);
    EXPECT_TRUE(bmp24);
    EXPECT_TRUE(bmp8);
    EXPECT_TRUE(rleTga);
}

}  // namespace
