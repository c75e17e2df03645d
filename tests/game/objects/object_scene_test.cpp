// One of each object in the hand-built test world, drawn as the game draws
// them and in the states that matter: a door half open, a dead creature
// burning, a wrecked generator, a rack emptied. Each view is saved as a
// picture (objects_*.ppm in the build's test-pictures/) and checked where
// the change must show.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/objects/automatic_door.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/flashlight.h"
#include "game/objects/generator.h"
#include "game/objects/generator_core.h"
#include "game/objects/key.h"
#include "game/objects/light.h"
#include "game/objects/locked_door.h"
#include "game/objects/medikit.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_mesh.h"
#include "game/objects/weapon.h"
#include "tests/game/world/test_scene.h"
#include "tests/support/gl_context.h"
#include "tests/support/kept_pictures.h"
#include "tests/support/skip_or_fail.h"

namespace {

using game_test::Scene;
constexpr int kSize = Scene::kSize;

// The objects placed as the map loader places them, in blocks of the 2 x 3
// test world.
struct Objects {
    explicit Objects(Scene& scene) : scene(scene) {
        scene.Load({"doorlock.tga", "doorslide.jpg", "flame.jpg", "gunflare.jpg", "flarered.jpg", "storm.jpg",
                    "lightning.jpg", "flare.jpg", "keyred.3DS", "fullrack.3DS", "rack.3DS", "medikit.3DS",
                    "emptykit.3DS", "toolbox.3DS", "emptybox.3DS", "vorlax.3DS", "deadvorl.3DS", "genbase.3DS",
                    "gendead.3DS", "gencore.3DS"});
        // Sliding door between blocks (1, 1) and (1, 2); locked door between
        // (2, 2) and (2, 3).
        slider = new AutomaticDoor(Vector3(3, 1.5f, 1.5f), 1.5f);
        slider->orientation = kFacingEast;
        slider->texture = static_cast<unsigned>(scene.textures.Lookup("doorslide.jpg"));
        slider->AttachTo(&scene.doors);
        locked = new LockedDoor(Vector3(6, 1.5f, 4.5f), 3.0f);
        locked->orientation = kFacingEast;
        locked->texture = static_cast<unsigned>(scene.textures.Lookup("doorlock.tga"));
        locked->AttachTo(&scene.doors);

        (new Light(1, Vector3(7.5f, 2.8f, 1.5f), 9.0f))->AttachTo(&scene.lights);

        rack = new Weapon(&scene.models, 0.1f);
        rack->position = Vector3(4.5f, 1.5f, 0.1f);
        rack->orientation = kFacingNorth;
        rack->AttachTo(&scene.pickups);
        auto* kit = new Medikit(&scene.models, 0.4f);
        kit->position = Vector3(1.5f, 1.5f, 0.1f);
        kit->orientation = kFacingNorth;
        kit->AttachTo(&scene.pickups);
        auto* box = new Flashlight(&scene.models, 0.5f);
        box->position = Vector3(1.5f, 0.2f, 6 - 0.6f);
        box->orientation = kFacingSouth;
        box->AttachTo(&scene.pickups);
        auto* key = new Key(&scene.models, "keyred.3DS", 0.2f);
        key->position = Vector3(7.5f, 0.1f, 4.5f);
        key->AttachTo(&scene.pickups);

        creature = new Vorlax(&scene.textures, &scene.collider, &scene.level);
        creature->position = Vector3(7.5f, 2.0f, 1.5f);
        creature->radius = 10.0f;
        mesh = new VorlaxMesh(&scene.models, &scene.textures, &scene.player);
        mesh->position = creature->position;
        mesh->AttachTo(creature);
        creature->AttachTo(&scene.enemies);

        generator = new Generator(&scene.models, &scene.textures);
        generator->position = Vector3(3, 0, 3);
        generator->radius = 3.0f;
        core = new GeneratorCore(&scene.models, &scene.textures);
        core->position = Vector3(3, 2.15f, 3);
        core->radius = 1.0f;
        core->AttachTo(generator);
        generator->AttachTo(&scene.enemies);
    }

    // The collision and update phases of `frames` frames with the player at
    // `at` and, if given, a bolt resting at `boltAt` as the current bolt.
    void Run(int frames, const Vector3& at, const Vector3* boltAt = nullptr) {
        scene.player.position = at;
        BoltProjectile bolt(&scene.textures, &scene.player, &scene.level, &scene.collider);
        if (boltAt) bolt.position = *boltAt;
        testing::internal::CaptureStdout();  // the door's and the projectile's lines
        for (int i = 0; i < frames; ++i) {
            for (CObject* group : {&scene.doors, &scene.lights, &scene.pickups, &scene.enemies})
                group->Collide(&scene.player);
            if (boltAt) scene.enemies.Collide(&bolt);
            scene.doors.UpdateTree(0.02f);
            scene.enemies.UpdateTree(0.02f);
        }
        testing::internal::GetCapturedStdout();
    }

    Scene& scene;
    AutomaticDoor* slider;
    LockedDoor* locked;
    Weapon* rack;
    Vorlax* creature;
    VorlaxMesh* mesh;
    Generator* generator;
    GeneratorCore* core;
};

std::vector<unsigned char> Grab() {
    std::vector<unsigned char> rgb(kSize * kSize * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

// How many pixels of the rectangle (x0, y0)-(x1, y1) changed noticeably.
int Changed(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b, int x0, int y0, int x1,
            int y1) {
    int changed = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const size_t i = (static_cast<size_t>(y) * kSize + x) * 3;
            if (std::abs(a[i] - b[i]) + std::abs(a[i + 1] - b[i + 1]) + std::abs(a[i + 2] - b[i + 2]) > 60) ++changed;
        }
    }
    return changed;
}

struct Colour {
    int r, g, b;
    int Sum() const { return r + g + b; }
};

// The mean colour of the rectangle from (x0, top0) to (x1, top1), counted
// as in the saved pictures: y from the top row down.
Colour Mean(const std::vector<unsigned char>& rgb, int x0, int top0, int x1, int top1) {
    long sum[3] = {0, 0, 0};
    long n = 0;
    for (int top = top0; top < top1; ++top) {
        for (int x = x0; x < x1; ++x, ++n) {
            const size_t i = (static_cast<size_t>(kSize - 1 - top) * kSize + x) * 3;
            for (int c = 0; c < 3; ++c) sum[c] += rgb[i + c];
        }
    }
    return Colour{static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n), static_cast<int>(sum[2] / n)};
}

struct View {
    const char* name;
    Vector3 eye;
    float yaw;
};

// Facing the sliding door, the creature and the generator.
const View kDoorView{"door", Vector3(0.6f, 1.75f, 1.5f), 0.0f};
const View kCreatureView{"creature", Vector3(3.6f, 1.75f, 1.5f), 0.0f};
const View kGeneratorView{"generator", Vector3(0.6f, 1.75f, 4.5f), -32.0f};

TEST(ObjectScene, EachObjectInItsStates) {
    ondra::test::ScopedGLContext context(kSize, kSize);
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    Scene scene(nullptr);
    Objects objects(scene);
    Scene::SetUpGL();
    scene.player.hasWeapon = true;
    scene.player.hudVisible = false;
    auto look = [&](const View& view, const char* state) {
        scene.Draw(view.eye, view.yaw, 0.0f);
        ondra::test::SavePicture(std::string("objects_") + view.name + "_" + state + ".ppm", kSize, kSize);
        return Grab();
    };
    const Vector3 away(30, 4.75f, 30);

    // The player far away: everything idle and shut.
    objects.Run(1, away);
    const std::vector<unsigned char> doorShut = look(kDoorView, "before");
    const std::vector<unsigned char> creatureAlive = look(kCreatureView, "before");
    const std::vector<unsigned char> generatorIntact = look(kGeneratorView, "before");

    // Half open: the sliding door after 20 frames of touch leaves a gap
    // of 1 between its leaves.
    objects.Run(20, Vector3(2.2f, 1.75f, 1.5f));
    EXPECT_NEAR(objects.slider->Slide(), 2.0f, 0.01f);
    // The dark slab filled the view; now the lit room beyond shows through
    // the middle while the left leaf still hides its side.
    const std::vector<unsigned char> doorOpen = look(kDoorView, "half_open");
    EXPECT_LT(Mean(doorShut, 100, 30, 160, 160).Sum(), 60) << "the shut door does not fill the middle";
    EXPECT_GT(Mean(doorOpen, 100, 30, 160, 160).Sum(), 150) << "nothing shows through the gap";
    EXPECT_LT(Mean(doorOpen, 0, 30, 60, 160).Sum(), 80) << "the left leaf is gone";

    // The creature shot dead by a bolt at its body, then burning as it falls.
    objects.Run(1, away, &objects.mesh->position);
    objects.Run(10, away);
    EXPECT_TRUE(objects.mesh->Dead());
    // Where its legs stood, the flame now burns white-hot.
    const std::vector<unsigned char> creatureDead = look(kCreatureView, "dead");
    EXPECT_LT(Mean(creatureAlive, 125, 180, 155, 210).Sum(), 200) << "no dark legs before";
    const Colour flame = Mean(creatureDead, 125, 180, 155, 210);
    EXPECT_GT(std::min(flame.r, flame.g), 200) << "the dead creature does not burn";

    // The generator wrecked by fifteen frames of bolt contact.
    const Vector3 atCore(3, 1, 3);
    objects.Run(15, away, &atCore);
    EXPECT_TRUE(objects.generator->Destroyed());
    // The blue core is gone from above the base, and the base burns.
    const std::vector<unsigned char> generatorWrecked = look(kGeneratorView, "wrecked");
    const Colour core = Mean(generatorIntact, 128, 64, 160, 96);
    EXPECT_GT(core.b, core.r + 40) << "no blue core before";
    const Colour coreGone = Mean(generatorWrecked, 128, 64, 160, 96);
    EXPECT_LT(coreGone.b, coreGone.r + 20) << "the core still glows";
    const Colour fire = Mean(generatorWrecked, 128, 192, 160, 224);
    EXPECT_GT(std::min(fire.r, fire.g), 180) << "the wrecked base does not burn";

    // The rack emptied by the player's touch.
    const View rackView{"rack", Vector3(4.5f, 1.75f, 2.5f), -90.0f};
    const std::vector<unsigned char> full = look(rackView, "full");
    objects.Run(1, Vector3(4.5f, 1.75f, 0.4f));
    EXPECT_TRUE(objects.rack->taken);
    // Only the board changes: its gun and cells are gone, the rest of the
    // view (the wall, the arm) stays as it was.
    const std::vector<unsigned char> taken = look(rackView, "taken");
    const int onBoard = Changed(full, taken, 30, 30, 226, 180);
    EXPECT_GT(onBoard, 100) << "the rack still holds the gun";
    EXPECT_EQ(Changed(full, taken, 0, 0, kSize, kSize), onBoard) << "more than the board changed";
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

}  // namespace
