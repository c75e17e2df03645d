// The draw traversal: children are drawn in the frame their parent's Draw
// sets up, siblings never see each other's transforms.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "game/objects/object.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"

namespace {

using Seen = std::map<std::string, Vector3>;

// Translates by `step` and records where that leaves its origin.
class Mover : public CObject {
public:
    Mover(std::string name, Vector3 step, Seen* seen) : name(std::move(name)), step(step), seen(seen) {}
    void Draw() override {
        glTranslatef(step.x, step.y, step.z);
        float m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        (*seen)[name] = Vector3(m[12], m[13], m[14]);
    }

private:
    std::string name;
    Vector3 step;
    Seen* seen;
};

void ExpectAt(const Seen& seen, const std::string& name, float x, float y, float z) {
    ASSERT_EQ(seen.count(name), 1u) << name << " was not drawn";
    const Vector3& v = seen.at(name);
    EXPECT_FLOAT_EQ(v.x, x) << name;
    EXPECT_FLOAT_EQ(v.y, y) << name;
    EXPECT_FLOAT_EQ(v.z, z) << name;
}

TEST(ObjectDraw, ChildrenInheritTheParentFrameSiblingsDoNot) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    GLint depthBefore = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthBefore);

    Seen seen;
    Mover root("root", Vector3(1, 0, 0), &seen);
    Mover* a = new Mover("a", Vector3(0, 1, 0), &seen);
    Mover* b = new Mover("b", Vector3(0, 0, 1), &seen);
    Mover* a1 = new Mover("a1", Vector3(0, 0, 0), &seen);
    a->AttachTo(&root);
    b->AttachTo(&root);
    a1->AttachTo(a);

    root.DrawTree();
    ExpectAt(seen, "root", 1, 0, 0);
    ExpectAt(seen, "a", 1, 1, 0);
    ExpectAt(seen, "a1", 1, 1, 0);
    ExpectAt(seen, "b", 1, 0, 1);

    GLint depthAfter = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depthAfter);
    EXPECT_EQ(depthAfter, depthBefore);
    float m[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, m);
    EXPECT_EQ(m[12], 0.0f);
}

}  // namespace
