// The test world: its blocks, resources and frame.
#include "tests/game/world/test_scene.h"

#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "framework/load3ds/model.h"
#include "game/render/camera.h"
#include "game/world/gl_state.h"
#include "game/world/hud.h"
#include "tests/support/gl_context.h"
#include "tests/support/in_folder.h"

namespace game_test {

namespace fs = std::filesystem;

Scene::Scene(ondra::GLWindow* window) {
    level.BuildFaceLists(1.0f);
    level.Resize(2, 3);
    level.SetBlockSize(3);
    Load({"wallpanel.jpg", "wallhazard.tga", "wallpipes.bmp", "floorplate.jpg", "ceiling.jpg", "ceillight.jpg",
          "skywest.jpg", "skyeast.jpg", "skytop.jpg", "skybottom.jpg", "skynorth.jpg", "skysouth.jpg",
          "armgun.3DS", "armtorch.3DS"});
    models.Lookup("armgun.3DS")->SetScale(Player::kArmModelScale);
    models.Lookup("armtorch.3DS")->SetScale(Player::kArmModelScale);
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 3; ++c) level.PlaceBlock(MakeBlock(r, c));
    Skybox& sky = level.Sky();
    sky.west = textures.TextureToBind("skywest.jpg");
    sky.east = textures.TextureToBind("skyeast.jpg");
    sky.top = textures.TextureToBind("skytop.jpg");
    sky.bottom = textures.TextureToBind("skybottom.jpg");
    sky.north = textures.TextureToBind("skynorth.jpg");
    sky.south = textures.TextureToBind("skysouth.jpg");

    // Every group's sphere covers the whole compound, as in the game.
    for (CObject* group : {&doors, &lights, &pickups, &enemies, &playerGroup}) {
        group->position = Vector3(4.5f, 1.5f, 3.0f);
        group->radius = 30.0f;
    }
    frame.SetCulling(false);
    if (window) player.SetHud(std::make_unique<Hud>(&textures, &player, window));
    player.AttachTo(&playerGroup);
}

void Scene::Load(std::initializer_list<const char*> names) {
    const ondra::test::InFolder inData(ONDRA_DATA_DIR);
    testing::internal::CaptureStdout();  // the 3DS reader's trace
    for (const char* name : names) {
        const bool model = fs::path(name).extension() == ".3DS";
        EXPECT_TRUE(model ? models.Load(name) : textures.Load(name)) << name;
    }
    testing::internal::GetCapturedStdout();
}

std::unique_ptr<Block> Scene::MakeBlock(int row, int column) {
    const FaceLists& lists = level.FaceListNames();
    auto block = std::make_unique<Block>(row, column);
    auto face = [&](std::unique_ptr<BlockPart> part, const char* texture) {
        part->textureId = textures.TextureToBind(texture);
        return part;
    };
    block->floor = face(std::make_unique<FloorTile>(lists.floor), "floorplate.jpg");
    if (!(row == 1 && column == 3))
        block->ceiling = face(std::make_unique<Ceiling>(lists.ceiling), column == 2 ? "ceillight.jpg" : "ceiling.jpg");
    if (row == 1) block->north = face(std::make_unique<Wall>(lists.wall), "wallpanel.jpg");
    if (row == 2) block->south = face(std::make_unique<Wall>(lists.wall), "wallpipes.bmp");
    if (column == 1) block->west = face(std::make_unique<Wall>(lists.wall), "wallhazard.tga");
    if (column == 3) block->east = face(std::make_unique<Wall>(lists.wall), "wallhazard.tga");
    return block;
}

void Scene::SetUpGL() {
    SetUpGameGl();
    const float lamp[4] = {0.8f, 0.8f, 0.7f, 1};
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lamp);
    glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.15f);
    glEnable(GL_LIGHT0);
}

void Scene::Aim(const Vector3& eye, float yaw, float pitch) {
    Camera& camera = *player.GetCamera();
    camera.position = eye;
    camera.yaw = yaw;
    camera.pitch = pitch;
    player.position = eye;
    // The first update lifts the eye to the ground's height; the second
    // aims the view from there and takes the arms along.
    player.Update(0.0f);
    player.Update(0.0f);
    glViewport(0, 0, kSize, kSize);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void Scene::Run(const Vector3& eye, float yaw, float pitch) {
    Aim(eye, yaw, pitch);
    frame.Run(0.0f, 1.0f);
    glFinish();
}

void Scene::Draw(const Vector3& eye, float yaw, float pitch) {
    Aim(eye, yaw, pitch);
    frame.PlaceView(1.0f);
    GameFrame::PlaceSun();
    const float lampAt[4] = {4.5f, 2.8f, 3.0f, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, lampAt);
    frame.Draw();
    glPopMatrix();
    glFinish();
}

int BrightnessAround(int x, int y, int half) {
    long sum = 0;
    int n = 0;
    for (int dy = -half; dy <= half; ++dy) {
        for (int dx = -half; dx <= half; ++dx, ++n) {
            const ondra::test::Rgb p = ondra::test::ReadPixel(x + dx, y + dy);
            sum += p.r + p.g + p.b;
        }
    }
    return static_cast<int>(sum / n);
}

}  // namespace game_test
