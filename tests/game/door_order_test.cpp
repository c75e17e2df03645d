// The doors are drawn with the opaque world, before anything that blends.
// Against the order the game had before (the doors after the creatures) the
// pictures may change only where a blended thing stands in front of a door:
// every frame of the route and of the playthroughs is drawn both ways, and
// outside the screen rectangles where a creature's shot or muzzle flash, a
// generator's flame or sparks, or a bolt or its burst overlaps a door that
// reaches further from the eye than it, the two frames agree pixel for
// pixel. The state report and standard output agree whole.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "game/effects/particle_system.h"
#include "game/my_window.h"
#include "game/objects/automatic_door.h"
#include "game/objects/bolt_projectile.h"
#include "game/objects/generator_core.h"
#include "game/objects/locked_door.h"
#include "game/objects/vorlax.h"
#include "game/objects/vorlax_projectile.h"
#include "game/run/script.h"
#include "tests/framework/window_fixture.h"
#include "tests/support/in_folder.h"
#include "tests/support/printed_messages.h"
#include "tests/support/scratch_folder.h"

namespace {

// Window pixels [x0, x1) x [y0, y1), y from the bottom row.
struct ScreenRect {
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    bool operator==(const ScreenRect& o) const { return x0 == o.x0 && y0 == o.y0 && x1 == o.x1 && y1 == o.y1; }
};

// Where a thing lies on the screen and how near and far from the eye.
struct Footprint {
    ScreenRect rect;
    float nearest = 0.0f, furthest = 0.0f;
};

// The camera of one frame, read when the lamps are drawn.
struct View {
    float modelview[16] = {};
    float projection[16] = {};
    int width = 0, height = 0;

    // The footprint of the box spanned by `corners`: a box reaching behind
    // the eye may cover any pixel. One pixel of margin for rasterizing.
    Footprint Of(const std::vector<Vector3>& corners) const {
        Footprint f{{width, height, 0, 0}, 1e30f, -1e30f};
        for (const Vector3& p : corners) {
            const float* m = modelview;
            const float eye[4] = {m[0] * p.x + m[4] * p.y + m[8] * p.z + m[12],
                                  m[1] * p.x + m[5] * p.y + m[9] * p.z + m[13],
                                  m[2] * p.x + m[6] * p.y + m[10] * p.z + m[14], 1.0f};
            f.nearest = std::min(f.nearest, -eye[2]);
            f.furthest = std::max(f.furthest, -eye[2]);
            float clip[4];
            for (int row = 0; row < 4; ++row) {
                clip[row] = 0.0f;
                for (int k = 0; k < 4; ++k) clip[row] += projection[k * 4 + row] * eye[k];
            }
            if (clip[3] < 1e-3f) {
                f.rect = {0, 0, width, height};
                continue;
            }
            const float x = (clip[0] / clip[3] + 1.0f) * 0.5f * static_cast<float>(width);
            const float y = (clip[1] / clip[3] + 1.0f) * 0.5f * static_cast<float>(height);
            f.rect.x0 = std::min(f.rect.x0, static_cast<int>(std::floor(x)) - 1);
            f.rect.y0 = std::min(f.rect.y0, static_cast<int>(std::floor(y)) - 1);
            f.rect.x1 = std::max(f.rect.x1, static_cast<int>(std::ceil(x)) + 2);
            f.rect.y1 = std::max(f.rect.y1, static_cast<int>(std::ceil(y)) + 2);
        }
        return f;
    }
};

std::vector<Vector3> BoxCorners(const Vector3& centre, const Vector3& half) {
    std::vector<Vector3> corners;
    for (int i = 0; i < 8; ++i)
        corners.emplace_back(centre.x + (i & 1 ? half.x : -half.x), centre.y + (i & 2 ? half.y : -half.y),
                             centre.z + (i & 4 ? half.z : -half.z));
    return corners;
}

std::vector<Vector3> CubeAround(const Vector3& centre, float reach) {
    return BoxCorners(centre, Vector3(reach, reach, reach));
}

// A billboard of half-extent `half` reaches √2 times that from its centre.
constexpr float kCornerReach = 1.4143f;

// The reach of a particle system's squares around `centre` of the frame it
// is drawn in, at any scale of that frame up to 1 about its origin.
float ParticleReach(const CParticleSystem* system, const Vector3& centre = Vector3()) {
    float reach = 0.0f;
    if (!system) return reach;
    for (int i = 0; i < system->LiveCount(); ++i) {
        const Particle& p = system->Particles()[i];
        reach = std::max(reach, (p.position - centre).Length() + std::fabs(p.size) * kCornerReach);
    }
    return reach;
}

// The boxes of everything that blends: the creatures' shots and muzzle
// flashes (1.1 ahead of and below the creature, at most 0.6 to a side),
// the generators' flames and sparks (drawn above the generator, at most at
// their own scale), and the player's bolts and their bursts.
void AddBlended(const CObject& object, std::vector<std::vector<Vector3>>& boxes) {
    if (const auto* shot = dynamic_cast<const VorlaxProjectile*>(&object)) {
        if (!shot->Spent()) boxes.push_back(CubeAround(shot->position, shot->radius * kCornerReach));
    } else if (const auto* creature = dynamic_cast<const Vorlax*>(&object)) {
        if (creature->Charging() && !creature->IsDead()) boxes.push_back(CubeAround(creature->position, 2.0f));
    } else if (const auto* core = dynamic_cast<const GeneratorCore*>(&object)) {
        const Vector3 at = core->Parent()->position + Vector3(0.0f, GeneratorCore::kHeight, 0.0f);
        const float reach = std::max({ParticleReach(core->FlameEffect()), ParticleReach(core->ElectricityEffect()),
                                      ParticleReach(core->LightningEffect())});
        if (reach > 0.0f) boxes.push_back(CubeAround(at, reach));
    } else if (const auto* bolt = dynamic_cast<const BoltProjectile*>(&object)) {
        if (!bolt->Exploded()) boxes.push_back(CubeAround(bolt->position, bolt->radius * kCornerReach));
        if (bolt->Exploded() && bolt->Burst()) {
            const Vector3& at = bolt->Burst()->Origin();
            boxes.push_back(CubeAround(at, ParticleReach(bolt->Burst(), at)));
        }
    }
    for (const CObject& child : object.Children()) AddBlended(child, boxes);
}

// Each drawn square of a door, a little thicker than the two faces.
void AddDoorBoxes(const CObject& doors, std::vector<std::vector<Vector3>>& boxes) {
    for (const CObject& member : doors.Children()) {
        const auto* door = dynamic_cast<const Door*>(&member);
        if (!door) continue;
        const Vector3 half = door->SpansX() ? Vector3(Door::kHalfSpan, Door::kHalfSpan, 0.1f)
                                            : Vector3(0.1f, Door::kHalfSpan, Door::kHalfSpan);
        if (const auto* sliding = dynamic_cast<const AutomaticDoor*>(door)) {
            boxes.push_back(BoxCorners(sliding->leafA, half));
            boxes.push_back(BoxCorners(sliding->leafB, half));
        } else {
            boxes.push_back(BoxCorners(door->position, half));
        }
    }
}

// Where the two orders may draw differently: a blended thing's footprint
// over a door that reaches further from the eye.
std::vector<ScreenRect> MayChange(World& world, const View& view) {
    std::vector<std::vector<Vector3>> blended, doors;
    AddBlended(world.enemies, blended);
    AddBlended(world.playerGroup, blended);
    AddDoorBoxes(world.doors, doors);
    std::vector<ScreenRect> rects;
    for (const auto& thing : blended) {
        const Footprint t = view.Of(thing);
        for (const auto& door : doors) {
            const Footprint d = view.Of(door);
            if (t.nearest >= d.furthest) continue;
            const ScreenRect both{std::max({t.rect.x0, d.rect.x0, 0}), std::max({t.rect.y0, d.rect.y0, 0}),
                                  std::min({t.rect.x1, d.rect.x1, view.width}),
                                  std::min({t.rect.y1, d.rect.y1, view.height})};
            if (both.x0 < both.x1 && both.y0 < both.y1) rects.push_back(both);
        }
    }
    return rects;
}

// One drawn frame: digests of all its pixels and of those outside the
// rectangles where it may differ.
struct FrameRecord {
    uint64_t whole = 0;
    uint64_t outside = 0;
    std::vector<ScreenRect> mayChange;
};

// FNV-1a over a pixel's colour, the alpha left out.
uint64_t Mix(uint64_t hash, const unsigned char* rgba) {
    uint32_t rgb = 0;
    std::memcpy(&rgb, rgba, sizeof rgb);
    return (hash ^ (rgb & 0xffffffu)) * 1099511628211ull;
}

FrameRecord Record(std::vector<ScreenRect> mayChange, int width, int height) {
    std::vector<unsigned char> pixels(static_cast<size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    std::vector<char> masked(static_cast<size_t>(width) * height, 0);
    for (const ScreenRect& r : mayChange)
        for (int y = r.y0; y < r.y1; ++y) std::fill(&masked[y * width + r.x0], &masked[y * width + r.x1], 1);
    FrameRecord record;
    record.whole = record.outside = 14695981039346656037ull;
    for (size_t i = 0; i < masked.size(); ++i) {
        record.whole = Mix(record.whole, &pixels[i * 4]);
        if (!masked[i]) record.outside = Mix(record.outside, &pixels[i * 4]);
    }
    record.mayChange = std::move(mayChange);
    return record;
}

// In the lamps' group, drawn first: notes the camera and keeps the pixel
// spy the last member of the player's group.
class ViewSpy : public CObject {
public:
    ViewSpy(View* view, CObject* pixelSpy, CObject* playerGroup)
        : view(view), pixelSpy(pixelSpy), playerGroup(playerGroup) {}
    void Draw() override {
        glGetFloatv(GL_MODELVIEW_MATRIX, view->modelview);
        glGetFloatv(GL_PROJECTION_MATRIX, view->projection);
        pixelSpy->AttachTo(playerGroup);
    }

private:
    View* view;
    CObject* pixelSpy;
    CObject* playerGroup;
};

// Drawn after the player, its bolts and the HUD: records the frame.
class PixelSpy : public CObject {
public:
    PixelSpy(World* world, View* view, std::vector<FrameRecord>* records)
        : world(world), view(view), records(records) {}
    void Draw() override { records->push_back(Record(MayChange(*world, *view), view->width, view->height)); }

private:
    World* world;
    View* view;
    std::vector<FrameRecord>* records;
};

class OrderedWindow : public MyWindow {
public:
    explicit OrderedWindow(bool doorsAfterCreatures) { Frame().SetDoorsAfterCreatures(doorsAfterCreatures); }
    void OnCreate() override {
        MyWindow::OnCreate();
        World& w = *GetWorld();
        view.width = Width();
        view.height = Height();
        auto* pixels = new PixelSpy(&w, &view, &records);
        pixels->AttachTo(&w.playerGroup);
        (new ViewSpy(&view, pixels, &w.playerGroup))->AttachTo(&w.lights);
    }

    View view;
    std::vector<FrameRecord> records;
};

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct PlayedRun {
    std::vector<FrameRecord> frames;
    std::string state;
    std::string out;
};

// Plays a script of the playthrough folder with its time step, in one of
// the two orders, in a child process: each run starts as the game does,
// from the C library's first random sequence and with GL fresh. The child
// leaves its standard output, state report and frame records as
// TAG_out.txt, TAG_state.txt and TAG_frames.bin.
pid_t StartPlaying(const std::string& script, double dt, bool doorsAfterCreatures,
                   const ondra::test::ScratchFolder& scratch, const std::string& tag) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child != 0) return child;
    if (!std::freopen(scratch.File(tag + "_out.txt").c_str(), "w", stdout)) _exit(2);
    std::vector<ScriptEvent> events;
    std::string error;
    const std::string path = std::string(PLAYTHROUGH_DIR) + "/" + script;
    if (!ParseScript(ReadAll(path), path, events, error)) _exit(3);
    std::srand(1);
    std::vector<FrameRecord> records;
    {
        ondra::test::TestApp app;
        OrderedWindow window(doorsAfterCreatures);
        GameOptions options;
        options.scriptFile = path;
        options.dt = dt;
        options.fps = 0;
        options.mute = true;
        options.stateFile = scratch.File(tag + "_state.txt");
        window.Configure(options, events);
        const ondra::test::InFolder inData(ONDRA_DATA_DIR);
        ondra::Main::Instance()->Execute(0, nullptr);
        if (!window.EndRun()) _exit(4);
        records = std::move(window.records);
    }
    std::ofstream frames(scratch.File(tag + "_frames.bin"), std::ios::binary);
    for (const FrameRecord& r : records) {
        const uint64_t head[3] = {r.whole, r.outside, r.mayChange.size()};
        frames.write(reinterpret_cast<const char*>(head), sizeof head);
        frames.write(reinterpret_cast<const char*>(r.mayChange.data()),
                     static_cast<std::streamsize>(r.mayChange.size() * sizeof(ScreenRect)));
    }
    frames.close();
    std::fflush(stdout);
    _exit(frames ? 0 : 5);
}

// What the child that played as TAG left.
PlayedRun Played(const ondra::test::ScratchFolder& scratch, const std::string& tag) {
    PlayedRun run;
    run.out = ondra::test::MessagesWithoutAddresses(scratch.File(tag + "_out.txt"));
    run.state = ReadAll(scratch.File(tag + "_state.txt"));
    std::ifstream frames(scratch.File(tag + "_frames.bin"), std::ios::binary);
    uint64_t head[3];
    while (frames.read(reinterpret_cast<char*>(head), sizeof head)) {
        FrameRecord r;
        r.whole = head[0];
        r.outside = head[1];
        r.mayChange.resize(head[2]);
        frames.read(reinterpret_cast<char*>(r.mayChange.data()),
                    static_cast<std::streamsize>(r.mayChange.size() * sizeof(ScreenRect)));
        run.frames.push_back(std::move(r));
    }
    return run;
}

int ExitStatus(pid_t child) {
    int status = 0;
    if (waitpid(child, &status, 0) != child) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

struct Playthrough {
    const char* script;
    double dt;
    int changedAtLeast;  // frames known to show a blended thing before a door
};

// How a test listing shows the playthrough, rather than as the struct's
// raw bytes (an address among them).
void PrintTo(const Playthrough& p, std::ostream* out) { *out << p.script << " --dt " << p.dt; }

class DoorOrder : public testing::TestWithParam<Playthrough> {};

TEST_P(DoorOrder, ChangesPixelsOnlyWhereABlendedThingIsInFrontOfADoor) {
    const Playthrough& p = GetParam();
    const ondra::test::ScratchFolder scratch;
    // Both at once: each leaves the other a core.
    const pid_t nowChild = StartPlaying(p.script, p.dt, false, scratch, "now");
    const pid_t beforeChild = StartPlaying(p.script, p.dt, true, scratch, "before");
    ASSERT_EQ(ExitStatus(nowChild), 0);
    ASSERT_EQ(ExitStatus(beforeChild), 0);
    const PlayedRun now = Played(scratch, "now");
    const PlayedRun before = Played(scratch, "before");
    ASSERT_FALSE(now.state.empty());
    EXPECT_EQ(now.state, before.state);
    EXPECT_TRUE(now.out == before.out) << "standard output differs";
    ASSERT_EQ(now.frames.size(), before.frames.size());
    ASSERT_GT(now.frames.size(), 100u);
    int changed = 0;
    for (size_t i = 0; i < now.frames.size(); ++i) {
        const FrameRecord& a = now.frames[i];
        const FrameRecord& b = before.frames[i];
        ASSERT_TRUE(a.mayChange == b.mayChange) << "frame " << i << ": the world differs between the orders";
        EXPECT_EQ(a.outside, b.outside) << "frame " << i << " differs outside " << a.mayChange.size()
                                        << " rectangles of blended things in front of doors";
        if (a.whole != b.whole) ++changed;
    }
    std::printf("%s: %d of %zu frames changed\n", p.script, changed, now.frames.size());
    EXPECT_GE(changed, p.changedAtLeast);
}

// Frames with a blended thing before a door: a creature's shot in the
// route (frame 2045 among them), the key door and the reactor; none in the
// medikit's tour.
INSTANTIATE_TEST_SUITE_P(Playthroughs, DoorOrder,
                         testing::Values(Playthrough{"route.txt", 0.025, 1}, Playthrough{"keydoor.txt", 0.05, 1},
                                         Playthrough{"medikit.txt", 0.05, 0}, Playthrough{"reactor.txt", 0.05, 1}),
                         [](const testing::TestParamInfo<Playthrough>& info) {
                             std::string name = info.param.script;
                             return name.substr(0, name.find('.'));
                         });

}  // namespace
