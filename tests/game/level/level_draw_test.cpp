// Drawing the level: the face lists read back through GL feedback in world
// coordinates, every wall turned into its block with its texture upright
// and unmirrored, blocks placed by the block size, the sky's faces at the
// sides they are named after, and the shown cells' drawing read back as
// pixels against the plain drawing's.
#include <GL/gl.h>
#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <vector>

#include "game/core/vector3.h"
#include "game/level/level.h"
#include "game/render/camera.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"

namespace {

struct FeedbackVertex {
    Vector3 position;  // world coordinates
    float s, t;
};
using FeedbackPolygon = std::vector<FeedbackVertex>;

// The feedback frame: a 40-unit cube around the origin seen along `look`,
// 100 window units per world unit, so window coordinates map straight back.
constexpr float kHalfBox = 20.0f;
constexpr int kFeedbackViewport = 4000;

float Dot(const Vector3& a, const Vector3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// The camera axes gluLookAt builds for a view from the origin along `look`.
struct ViewAxes {
    ViewAxes(const Vector3& look, const Vector3& upHint)
        : forward(look / look.Length()),
          side(Cross(forward, upHint) / Cross(forward, upHint).Length()),
          up(Cross(side, forward)) {}
    Vector3 forward, side, up;
};

Vector3 WorldFromWindow(const ViewAxes& axes, float x, float y, float depth) {
    const float perUnit = kFeedbackViewport / (2.0f * kHalfBox);
    const float eyeX = x / perUnit - kHalfBox;
    const float eyeY = y / perUnit - kHalfBox;
    const float eyeZ = kHalfBox - 2.0f * kHalfBox * depth;
    return axes.side * eyeX + axes.up * eyeY - axes.forward * eyeZ;
}

// The polygons `draw` produces that face a viewer looking along `look`:
// the face lists turn culling on, and culled polygons give no feedback.
std::vector<FeedbackPolygon> Capture(const std::function<void()>& draw, const Vector3& look,
                                     const Vector3& upHint = Vector3(0, 1, 0)) {
    const ViewAxes axes(look, upHint);
    std::vector<GLfloat> buffer(1 << 20);
    glViewport(0, 0, kFeedbackViewport, kFeedbackViewport);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-kHalfBox, kHalfBox, -kHalfBox, kHalfBox, -kHalfBox, kHalfBox);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(0, 0, 0, look.x, look.y, look.z, upHint.x, upHint.y, upHint.z);
    glEnable(GL_CULL_FACE);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    draw();
    const GLint used = glRenderMode(GL_RENDER);
    EXPECT_GE(used, 0) << "feedback buffer overflow";

    // GL_3D_COLOR_TEXTURE: x, y, z, colour (4), texture (4).
    constexpr int kVertexFloats = 11;
    std::vector<FeedbackPolygon> polygons;
    for (GLint i = 0; i < used;) {
        const GLfloat token = buffer[i++];
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int count = static_cast<int>(buffer[i++]);
        FeedbackPolygon polygon;
        for (int v = 0; v < count; ++v, i += kVertexFloats) {
            polygon.push_back({WorldFromWindow(axes, buffer[i], buffer[i + 1], buffer[i + 2]), buffer[i + 7],
                               buffer[i + 8]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

// The front side's direction from the winding (counter-clockwise is front).
Vector3 FrontNormal(const FeedbackPolygon& p) {
    const Vector3 n = Cross(p[1].position - p[0].position, p[2].position - p[0].position);
    return n / n.Length();
}

Vector3 Centroid(const FeedbackPolygon& p) {
    Vector3 sum;
    for (const FeedbackVertex& v : p) sum += v.position;
    return sum / static_cast<float>(p.size());
}

float Area(const FeedbackPolygon& p) {
    Vector3 twice;
    for (size_t i = 1; i + 1 < p.size(); ++i)
        twice += Cross(p[i].position - p[0].position, p[i + 1].position - p[0].position);
    return twice.Length() / 2.0f;
}

// How much of a quad a polygon is: GL may hand quads back as two triangles.
float QuadShare(const FeedbackPolygon& p) { return (static_cast<float>(p.size()) - 2.0f) / 2.0f; }

// Textured faces are split into 0.3-unit quads; the slab's two ends are the
// only 0.1-wide ones.
bool IsSlabEnd(const FeedbackPolygon& p) { return std::fabs(Area(p) - 0.3f * QuadShare(p)) < 1e-3f; }

// An up direction that is not along `look`.
Vector3 UpHintFor(const Vector3& look) { return std::fabs(look.y) > 0.5f ? Vector3(0, 0, -1) : Vector3(0, 1, 0); }

class LevelDraw : public ::testing::Test {
protected:
    void SetUp() override {
        if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        level.BuildFaceLists(1.0f);
        level.SetBlockSize(3);
    }

    // A level of the given size whose only blocks are `blocks`.
    void Place(int rows, int columns, std::vector<std::unique_ptr<Block>> blocks) {
        level.Resize(rows, columns);
        for (auto& block : blocks) level.PlaceBlock(std::move(block));
    }

    std::unique_ptr<Block> FloorOnly(int row, int column) {
        auto block = std::make_unique<Block>(row, column);
        block->floor = std::make_unique<FloorTile>(level.FaceListNames().floor);
        return block;
    }

    ondra::test::ScopedGLContext context;
    Level level{nullptr};
};

TEST_F(LevelDraw, EachFaceListHoldsTenByTenQuadsCoveredByTheTextureOnce) {
    struct Case {
        const char* name;
        unsigned int list;
        Vector3 normal;
        // The texture coordinates a point of the face should carry.
        std::function<void(const Vector3&, float&, float&)> expectedTexture;
    };
    const FaceLists& lists = level.FaceListNames();
    const Case cases[] = {
        {"floor", lists.floor, {0, 1, 0}, [](const Vector3& p, float& s, float& t) { s = p.x / 3, t = p.z / 3; }},
        {"ceiling", lists.ceiling, {0, -1, 0}, [](const Vector3& p, float& s, float& t) { s = p.x / 3, t = p.z / 3; }},
        {"wall", lists.wall, {0, 0, 1}, [](const Vector3& p, float& s, float& t) { s = p.x / 3, t = p.y / 3; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_NE(c.list, 0u);
        const std::vector<FeedbackPolygon> polygons = Capture([&] { glCallList(c.list); }, -c.normal, UpHintFor(c.normal));
        float quads = 0.0f;
        float slabEnds = 0.0f;
        float area = 0.0f;
        float minS = 1e9f, maxS = -1e9f;
        for (const FeedbackPolygon& p : polygons) {
            if (IsSlabEnd(p)) {
                slabEnds += QuadShare(p);
                continue;
            }
            quads += QuadShare(p);
            area += Area(p);
            EXPECT_NEAR(Area(p), 0.09f * QuadShare(p), 1e-3f);
            EXPECT_NEAR(Dot(FrontNormal(p), c.normal), 1.0f, 1e-4f);
            for (const FeedbackVertex& v : p) {
                float s = 0, t = 0;
                c.expectedTexture(v.position, s, t);
                EXPECT_NEAR(v.s, s, 1e-4f);
                EXPECT_NEAR(v.t, t, 1e-4f);
                minS = std::min(minS, v.s);
                maxS = std::max(maxS, v.s);
            }
        }
        // The wall slab has the grid on both of its sides.
        const int sides = c.list == lists.wall ? 2 : 1;
        EXPECT_EQ(quads, 100.0f * sides);
        EXPECT_NEAR(area, 9.0f * sides, 1e-2f);
        EXPECT_NEAR(minS, 0.0f, 1e-5f);
        EXPECT_NEAR(maxS, 1.0f, 1e-5f);
        EXPECT_EQ(slabEnds, c.list == lists.wall ? 2.0f : 0.0f);
    }
}

TEST_F(LevelDraw, EveryWallFacesIntoItsBlockUprightAndUnmirrored) {
    struct Case {
        const char* side;
        std::unique_ptr<BlockPart> Block::*slot;
        Vector3 inward;
        float frontPlane;  // the lit side's distance along `inward` from the block's near edge
    };
    const Case cases[] = {
        {"north", &Block::north, {0, 0, 1}, 0.1f},
        {"south", &Block::south, {0, 0, -1}, 0.1f},
        {"east", &Block::east, {-1, 0, 0}, 0.1f},
        {"west", &Block::west, {1, 0, 0}, 0.0f},
    };
    const Vector3 centre(1.5f, 1.5f, 1.5f);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.side);
        auto block = std::make_unique<Block>(1, 1);
        (*block).*c.slot = std::make_unique<Wall>(level.FaceListNames().wall);
        std::vector<std::unique_ptr<Block>> blocks;
        blocks.push_back(std::move(block));
        Place(1, 1, std::move(blocks));

        // From outside only the slab's two uncullable ends show.
        for (const FeedbackPolygon& p : Capture([&] { level.Draw(); }, c.inward)) {
            EXPECT_TRUE(IsSlabEnd(p)) << "a wall side shows from outside its block";
        }
        // From inside both large sides face the viewer.
        const std::vector<FeedbackPolygon> polygons = Capture([&] { level.Draw(); }, -c.inward);
        ASSERT_FALSE(polygons.empty());
        // Seen from inside, looking at the wall: right is view x up.
        const Vector3 right = Cross(-c.inward, Vector3(0, 1, 0));
        float front = 0.0f;
        for (const FeedbackPolygon& p : polygons) {
            if (IsSlabEnd(p)) continue;
            EXPECT_NEAR(Dot(FrontNormal(p), c.inward), 1.0f, 1e-4f);
            const float fromEdge = 1.5f + Dot(Centroid(p) - centre, c.inward);
            if (std::fabs(fromEdge - c.frontPlane) < 1e-3f) front += QuadShare(p);
            // Texture s grows to the viewer's right and t upwards.
            const FeedbackVertex& a = p[0];
            for (const FeedbackVertex& b : p) {
                const float alongRight = Dot(b.position - a.position, right);
                const float alongUp = b.position.y - a.position.y;
                if (std::fabs(alongRight) > 1e-3f) {
                    EXPECT_GT((b.s - a.s) / alongRight, 0.0f);
                }
                if (std::fabs(alongUp) > 1e-3f) {
                    EXPECT_GT((b.t - a.t) / alongUp, 0.0f);
                }
            }
        }
        EXPECT_EQ(front, 100.0f) << "the lit side is not where it should be";
    }
}

TEST_F(LevelDraw, BlocksAreTranslatedByTheirCellTimesTheBlockSize) {
    struct Case {
        int blockSize;
        int row, column;
        float minX, minZ;
    };
    for (const Case& c : {Case{3, 1, 1, 0, 0}, Case{3, 2, 3, 6, 3}, Case{4, 2, 3, 8, 4}}) {
        SCOPED_TRACE(testing::Message() << "block " << c.row << "," << c.column << " size " << c.blockSize);
        std::vector<std::unique_ptr<Block>> blocks;
        blocks.push_back(FloorOnly(c.row, c.column));
        Place(3, 3, std::move(blocks));
        level.SetBlockSize(c.blockSize);
        float minX = 1e9f, minZ = 1e9f, maxX = -1e9f, maxZ = -1e9f;
        for (const FeedbackPolygon& p : Capture([&] { level.Draw(); }, Vector3(0, -1, 0), Vector3(0, 0, -1))) {
            for (const FeedbackVertex& v : p) {
                minX = std::min(minX, v.position.x), maxX = std::max(maxX, v.position.x);
                minZ = std::min(minZ, v.position.z), maxZ = std::max(maxZ, v.position.z);
            }
        }
        EXPECT_NEAR(minX, c.minX, 1e-3f);
        EXPECT_NEAR(minZ, c.minZ, 1e-3f);
        EXPECT_NEAR(maxX - minX, 3.0f, 1e-3f);
        EXPECT_NEAR(maxZ - minZ, 3.0f, 1e-3f);
    }
}

// A 2 x 2 texture of four flat colours, unfiltered, so each quarter of a
// face shows one colour: (bottom-left, bottom-right, top-left, top-right).
GLuint QuarterTexture(const unsigned char colours[4][3]) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, 2, 2, 0, GL_RGB, GL_UNSIGNED_BYTE, colours);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return texture;
}

bool Near(const ondra::test::Rgb& a, const unsigned char b[3]) {
    return std::abs(a.r - b[0]) < 8 && std::abs(a.g - b[1]) < 8 && std::abs(a.b - b[2]) < 8;
}

TEST_F(LevelDraw, SkyFacesStandAtTheirNamedSidesUprightFromInside) {
    struct Case {
        const char* face;
        unsigned int Skybox::*slot;
        Vector3 look;
        Vector3 up;
        bool checkOrientation;  // the top and bottom have no upright way
    };
    const Case cases[] = {
        {"west", &Skybox::west, {-1, 0, 0}, {0, 1, 0}, true},
        {"east", &Skybox::east, {1, 0, 0}, {0, 1, 0}, true},
        {"north", &Skybox::north, {0, 0, -1}, {0, 1, 0}, true},
        {"south", &Skybox::south, {0, 0, 1}, {0, 1, 0}, true},
        {"top", &Skybox::top, {0, 1, 0}, {0, 0, -1}, false},
        {"bottom", &Skybox::bottom, {0, -1, 0}, {0, 0, 1}, false},
    };
    // Colours: red says which face, green which quarter.
    unsigned char colours[6][4][3];
    Skybox& sky = level.Sky();
    for (int f = 0; f < 6; ++f) {
        for (int q = 0; q < 4; ++q) {
            colours[f][q][0] = static_cast<unsigned char>(40 * f + 20);
            colours[f][q][1] = static_cast<unsigned char>(60 * q + 30);
            colours[f][q][2] = 128;
        }
        sky.*cases[f].slot = QuarterTexture(colours[f]);
    }
    const int size = context.width();
    glViewport(0, 0, size, size);
    glEnable(GL_CULL_FACE);
    for (int f = 0; f < 6; ++f) {
        const Case& c = cases[f];
        SCOPED_TRACE(c.face);
        glClearColor(0, 0, 0, 0);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        gluPerspective(60.0, 1.0, 0.1, 500.0);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        gluLookAt(0, 0, 0, c.look.x, c.look.y, c.look.z, c.up.x, c.up.y, c.up.z);
        sky.Draw();
        glFinish();
        const int lo = size / 4, hi = size * 3 / 4;
        const int samples[4][2] = {{lo, lo}, {hi, lo}, {lo, hi}, {hi, hi}};
        for (int q = 0; q < 4; ++q) {
            const ondra::test::Rgb seen = ondra::test::ReadPixel(samples[q][0], samples[q][1]);
            EXPECT_NEAR(seen.r, colours[f][0][0], 8) << "another face shows in quarter " << q;
            if (c.checkOrientation) {
                EXPECT_TRUE(Near(seen, colours[f][q])) << "quarter " << q << " is turned";
            }
        }
    }
}

}  // namespace

namespace {

// A lit level for reading pixels: a room walled all round at cell (1, 1)
// and, on open floor south-east of it, a stub of wall standing free on the
// north edge of cell (2, 2), so its slab ends show. A point light over the
// open floor shades the slab's back side differently from its front.
class LevelPixels : public ::testing::Test {
protected:
    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;

    void SetUp() override {
        if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
        level.BuildFaceLists(1.0f);
        level.SetBlockSize(3);
        level.Resize(3, 3);
        const FaceLists& lists = level.FaceListNames();
        const GLuint texture = StripedTexture();
        for (int row = 1; row <= 3; ++row) {
            for (int column = 1; column <= 3; ++column) {
                auto block = std::make_unique<Block>(row, column);
                block->floor = std::make_unique<FloorTile>(lists.floor);
                if (row == 1 && column == 1) {
                    block->ceiling = std::make_unique<Ceiling>(lists.ceiling);
                    for (auto slot : {&Block::north, &Block::south, &Block::east, &Block::west})
                        (*block).*slot = std::make_unique<Wall>(lists.wall);
                }
                if (row == 2 && column == 2) block->north = std::make_unique<Wall>(lists.wall);
                for (auto slot : {&Block::north, &Block::south, &Block::east, &Block::west})
                    if ((*block).*slot) ((*block).*slot)->textureId = texture;
                level.PlaceBlock(std::move(block));
            }
        }
    }

    // Bands of colour across the texture, so that which texel a face (or a
    // slab end, which takes the current texture coordinates) samples shows.
    GLuint StripedTexture() {
        constexpr int kSide = 16;
        std::vector<unsigned char> texels(kSide * kSide * 3);
        for (size_t i = 0; i < texels.size(); ++i)
            texels[i] = static_cast<unsigned char>(40 + (i / 3 % kSide) * 13 + (i / 3 / kSide) * 7 + (i % 3) * 30);
        glGenTextures(1, &textureName);
        glBindTexture(GL_TEXTURE_2D, textureName);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        gluBuild2DMipmaps(GL_TEXTURE_2D, GL_RGB, kSide, kSide, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
        return textureName;
    }

    void TearDown() override {
        if (textureName != 0) glDeleteTextures(1, &textureName);
    }

    // The frame `draw` leaves, seen from `eye` towards `target`.
    std::vector<unsigned char> Picture(const Vector3& eye, const Vector3& target,
                                       const std::function<void()>& draw) const {
        glViewport(0, 0, kWidth, kHeight);
        glClearColor(0.2f, 0.0f, 0.4f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        LoadGameProjection(static_cast<double>(kWidth) / kHeight);
        gluLookAt(eye.x, eye.y, eye.z, target.x, target.y, target.z, 0, 1, 0);
        const float lightAt[4] = {4.0f, 2.5f, 5.5f, 1.0f};
        glLightfv(GL_LIGHT0, GL_POSITION, lightAt);
        glLightf(GL_LIGHT0, GL_LINEAR_ATTENUATION, 0.3f);
        glEnable(GL_LIGHT0);
        glEnable(GL_LIGHTING);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glEnable(GL_CULL_FACE);
        draw();
        glFinish();
        std::vector<unsigned char> pixels(static_cast<size_t>(kWidth) * kHeight * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // The share of pixels not left at the clear colour.
    static double DrawnShare(const std::vector<unsigned char>& pixels) {
        size_t drawn = 0;
        for (size_t i = 0; i + 2 < pixels.size(); i += 3)
            drawn += !(pixels[i] == 0x33 && pixels[i + 1] == 0 && pixels[i + 2] == 0x66);
        return static_cast<double>(drawn) / static_cast<double>(pixels.size() / 3);
    }

    ondra::test::ScopedGLContext context{kWidth, kHeight};
    Level level{nullptr};
    GLuint textureName = 0;
};

}  // namespace

// Drawing the shown cells lays the walls' fronts into the depth buffer
// first; from any eye that must leave the plain drawing's pixels, in the
// cracks at the slab ends (where the back side shows) and behind one-sided
// walls seen from outside as well.
TEST_F(LevelPixels, ShowingEveryCellLeavesThePlainDrawingsPixels) {
    struct View {
        const char* name;
        Vector3 eye, target;
    };
    const View views[] = {
        {"inside the room", {1.5f, 1.6f, 2.5f}, {1.0f, 1.2f, 0.0f}},
        {"along a wall inside, grazing", {2.8f, 1.5f, 2.8f}, {0.0f, 1.4f, 2.7f}},
        {"the stub beyond its end", {1.0f, 1.5f, 8.0f}, {4.5f, 1.2f, 3.0f}},
        {"the stub's end, grazing", {2.0f, 1.6f, 3.4f}, {6.0f, 1.4f, 3.1f}},
        {"the stub from behind", {4.5f, 1.6f, 0.5f}, {4.5f, 1.2f, 6.0f}},
        {"the room from outside", {7.5f, 2.0f, 7.5f}, {1.5f, 1.0f, 1.5f}},
    };
    const std::vector<char> everyCell(9, 1);
    for (const View& v : views) {
        SCOPED_TRACE(v.name);
        const std::vector<unsigned char> plain = Picture(v.eye, v.target, [&] { level.Draw(); });
        const std::vector<unsigned char> shown = Picture(v.eye, v.target, [&] { level.Draw(everyCell); });
        EXPECT_GT(DrawnShare(plain), 0.3) << "the view shows too little of the level";
        EXPECT_TRUE(plain == shown) << "the shown cells' drawing changed pixels";
    }
}

// Of each wall's back side the shown cells' drawing leaves out what cannot
// show past the front; eyes swept all round the free-standing stub, at its
// ends and along it, near and far, low and high, and all over the room
// looking every way, must still see the plain drawing's every pixel.
TEST_F(LevelPixels, LeavingOutHiddenBackSidesChangesNoPixelFromAnyEye) {
    const std::vector<char> everyCell(9, 1);
    std::vector<std::pair<Vector3, Vector3>> views;
    const Vector3 stubMiddle(4.5f, 1.5f, 3.05f);
    for (float distance : {0.7f, 1.5f, 3.0f, 7.0f, 16.0f})
        for (int degrees = -88; degrees <= 88; degrees += 8)
            for (float height : {0.3f, 1.6f, 2.95f, 4.0f}) {
                const float turn = static_cast<float>(degrees) * 3.14159265f / 180.0f;
                const Vector3 eye(stubMiddle.x + distance * std::sin(turn), height,
                                  stubMiddle.z + distance * std::cos(turn));
                for (float endX : {3.0f, 6.0f}) views.push_back({eye, Vector3(endX, 1.5f, 3.1f)});
            }
    for (float x = 0.4f; x < 3.0f; x += 0.55f)
        for (float z = 0.4f; z < 3.0f; z += 0.55f)
            for (int look = 0; look < 8; ++look) {
                const float turn = static_cast<float>(look) * 3.14159265f / 4.0f;
                const Vector3 eye(x, 1.6f, z);
                views.push_back({eye, eye + Vector3(std::sin(turn), -0.1f, std::cos(turn))});
            }
    int differing = 0;
    for (const auto& view : views) {
        const bool same = Picture(view.first, view.second, [&] { level.Draw(); }) ==
                          Picture(view.first, view.second, [&] { level.Draw(everyCell); });
        if (!same && ++differing <= 5)
            ADD_FAILURE() << "pixels changed seen from (" << view.first.x << ", " << view.first.y << ", "
                          << view.first.z << ") towards (" << view.second.x << ", " << view.second.y << ", "
                          << view.second.z << ")";
    }
    EXPECT_EQ(differing, 0) << "of " << views.size() << " views";
}
