// Blocks crowded with pickups in one spot, as a map may list them: the
// culled frame draws one of each look (the last, which covers the others)
// and nothing else of the crowd, and its pixels are those of the frame that
// draws every one of them.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/objects/pickup.h"
#include "game/world/object_makers.h"
#include "tests/game/world/test_scene.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/skip_or_fail.h"

namespace {

using game_test::Scene;

constexpr int kSize = Scene::kSize;
constexpr int kCrowd = 20000;

// One kind of pickup in the crowd: every `every`-th item of the block is
// of this kind (starting at `first`), and every `takenEvery`-th of those
// is taken (0: none).
struct Member {
    MapObjectKind kind;
    int first;
    int every;
    int takenEvery;
};

std::vector<unsigned char> Grab() {
    std::vector<unsigned char> rgb(static_cast<size_t>(kSize) * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// Block 1 2 with its north wall and the crowd, placed and made as the
// loader does, into the scene's groups.
void Crowd(Scene& scene, const std::vector<Member>& members) {
    MapBlock block;
    block.row = 1;
    block.column = 2;
    MapFace north;
    north.slot = MapFaceSlot::kNorth;
    north.type = "WALL";
    block.items.push_back(north);
    std::vector<const Member*> memberOf;
    for (int i = 0; i < kCrowd; ++i)
        for (const Member& m : members)
            if (i % m.every == m.first) {
                MapObject object;
                object.kind = m.kind;
                object.keyId = 1;
                object.model = "keyred.3DS";
                block.items.push_back(object);
                memberOf.push_back(&m);
            }
    MapObjectSetting setting;
    setting.models = &scene.models;
    const MapBlockWalls walls(block);
    std::vector<int> madeOfKind(MapObjectKinds().size(), 0);
    for (size_t i = 1; i < block.items.size(); ++i) {
        const MapObject& object = std::get<MapObject>(block.items[i]);
        MapPlacement placed;
        ASSERT_EQ(PlaceMapObject(block, walls, i, 0, placed), MapPlacementResult::kPlaced);
        const ObjectMaker* maker = MakerOf(object.kind);
        std::unique_ptr<CObject> made = maker->make(object, placed, setting);
        const Member& m = *memberOf[i - 1];
        const int ofKind = madeOfKind[static_cast<size_t>(object.kind)]++;
        if (m.takenEvery != 0 && ofKind % m.takenEvery == 0) dynamic_cast<Pickup&>(*made).taken = true;
        made.release()->AttachTo(&(scene.world.*maker->group));
    }
}

TEST(CrowdedPickups, TheCulledFrameDrawsOneOfEachLookWithTheSamePixels) {
    ondra::test::ScopedGLContext context(kSize, kSize);
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    const struct {
        const char* what;
        std::vector<Member> members;
        size_t drawn;  // by the culled frame
    } cases[] = {
        {"medikits", {{MapObjectKind::kMedikit, 0, 1, 0}}, 1},
        {"weapons and tool boxes by turns, every third weapon taken",
         {{MapObjectKind::kWeapon, 0, 2, 3}, {MapObjectKind::kFlashlight, 1, 2, 0}}, 3},
        {"keys, a third taken", {{MapObjectKind::kKey, 0, 1, 3}}, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Scene scene(nullptr);
        scene.Load({"medikit.3DS", "emptykit.3DS", "fullrack.3DS", "rack.3DS", "toolbox.3DS", "emptybox.3DS",
                    "keyred.3DS"});
        Scene::SetUpGL();
        scene.player.hudVisible = false;
        Crowd(scene, c.members);
        if (HasFatalFailure()) return;
        const Vector3 eye(4.5f, 1.75f, 4.5f);

        scene.frame.SetCulling(false);
        scene.Run(eye, -90.0f, -15.0f);
        EXPECT_EQ(scene.frame.ObjectsDrawn(), static_cast<size_t>(kCrowd));
        const std::vector<unsigned char> whole = Grab();
        scene.frame.SetCulling(true);
        scene.Run(eye, -90.0f, -15.0f);
        EXPECT_EQ(scene.frame.ObjectsDrawn(), c.drawn);
        ondra::test::SavePicture(std::string("crowded_") + c.what + ".ppm", kSize, kSize);
        EXPECT_TRUE(Grab() == whole) << "the culled frame differs from the whole one";
    }
}

}  // namespace
