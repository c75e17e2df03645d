// The exact visiting orders of the three object-tree traversals. Collide
// walks both trees as a recursion would and offers some pairs more than
// once; an object that counts its touches sees every repeat, so the repeats
// are pinned here along with the order. A map may give a group hundreds of
// thousands of members, so no traversal may nest a call per sibling.
#include <GL/gl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "game/objects/object.h"
#include "tests/support/gl_context.h"
#include "tests/support/skip_or_fail.h"

namespace {

using Log = std::vector<std::string>;

// Logs "X>Y" when told it touches Y, "X@d" when drawn at modelview stack
// depth d (counted from `baseDepth`), "u X" when updated and "~X" when
// destroyed.
class Spy : public CObject {
public:
    Spy(std::string name, Log* log, float x, float r) : name(std::move(name)), log(log) {
        position = Vector3(x, 0, 0);
        radius = r;
    }
    ~Spy() override { log->push_back("~" + name); }
    void Update(float) override { log->push_back("u " + name); }
    void Draw() override {
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        log->push_back(name + "@" + std::to_string(depth - baseDepth));
    }
    void OnCollision(CObject* other) override { log->push_back(name + ">" + static_cast<Spy*>(other)->name); }

    std::string name;
    Log* log;
    static inline GLint baseDepth = 0;
};

struct NodeShape {
    const char* name;
    const char* parent;  // nullptr for the root, which comes first
    float x;
    float radius;
};

// A tree owned by its root; nodes are attached in the order given.
struct Tree {
    Tree(std::initializer_list<NodeShape> shapes, Log* log) {
        for (const NodeShape& s : shapes) {
            Spy* spy = new Spy(s.name, log, s.x, s.radius);
            if (s.parent) spy->AttachTo(nodes.at(s.parent));
            else root.reset(spy);
            nodes[s.name] = spy;
        }
    }
    Spy* operator[](const std::string& name) const { return nodes.at(name); }

    std::unique_ptr<Spy> root;
    std::map<std::string, Spy*> nodes;
};

// On the x axis. L reaches P, P1 and Q. A touches P and P1, its child A1
// only P. B touches only Q, so its child B1, which would touch all three,
// is offered Q alone. O itself is out of everyone's reach. Inside L's tree,
// A and A1 miss B; every other pair touches.
Tree ListTree(Log* log) {
    return Tree({{"L", nullptr, 0, 100},
                 {"A", "L", 11, 1},
                 {"B", "L", -11, 1},
                 {"A1", "A", 9.5f, 1},
                 {"B1", "B", 0, 50}},
                log);
}

Tree OtherTree(Log* log) {
    return Tree({{"O", nullptr, 1000, 0}, {"P", "O", 10, 1}, {"Q", "O", -10, 1}, {"P1", "P", 12, 1}}, log);
}

TEST(ObjectTraversal, CollideOffersPairsInThisOrder) {
    struct Case {
        const char* what;
        const char* other;  // in the other tree, or "self" for CheckCollisions
        Log expected;
    };
    const Case cases[] = {
        {"the other tree from its root", "O",
         {"L>P", "A>P", "A1>P", "B>Q", "B1>Q", "A>P1", "B>Q", "B1>Q", "L>P1", "A>P1", "L>Q", "B>Q", "B1>Q"}},
        // Like the game's partners: no children, no later siblings.
        {"a leaf", "P1", {"L>P1", "A>P1"}},
        // A child is offered only what its parent was told about, and no
        // object is told about itself: A1 never hears of A, B1 of nothing.
        {"the tree itself", "self",
         {"L>A", "B>B1", "A>A1", "B>B1", "A>B1", "A1>B1", "B>B1", "L>A1", "A>A1",
          "L>B", "B>B1", "A>B1", "A1>B1", "B>B1", "L>B1", "A>B1", "A1>B1", "B>B1"}},
    };
    for (const Case& c : cases) {
        Log log;
        Tree list = ListTree(&log);
        Tree other = OtherTree(&log);
        if (std::string(c.other) == "self") list.root->CheckCollisions();
        else list.root->Collide(other[c.other]);
        EXPECT_EQ(log, c.expected) << c.what;
    }
}

TEST(ObjectTraversal, UpdateTreeDestroysAfterTheSubtreeAndLaterSiblings) {
    struct Case {
        const char* what;
        std::set<std::string> removed;
        Log expected;  // the pass that removes, "|", then a pass over what is left
    };
    const Case cases[] = {
        {"a parent", {"A"},
         {"u R", "u A", "u A1", "u A2", "u B", "u B1", "u C", "~A", "~A1", "~A2",  //
          "|", "u R", "u B", "u B1", "u C"}},
        // A1 goes once A2 is done, before its parent's sibling B is reached.
        {"a child and its uncle", {"A1", "B"},
         {"u R", "u A", "u A1", "u A2", "~A1", "u B", "u B1", "u C", "~B", "~B1",  //
          "|", "u R", "u A", "u A2", "u C"}},
        {"a parent and its child", {"A", "A1"},
         {"u R", "u A", "u A1", "u A2", "~A1", "u B", "u B1", "u C", "~A", "~A2",  //
          "|", "u R", "u B", "u B1", "u C"}},
    };
    for (const Case& c : cases) {
        Log log;
        Tree tree({{"R", nullptr, 0, 0},
                   {"A", "R", 0, 0},
                   {"B", "R", 0, 0},
                   {"C", "R", 0, 0},
                   {"A1", "A", 0, 0},
                   {"A2", "A", 0, 0},
                   {"B1", "B", 0, 0}},
                  &log);
        for (const std::string& name : c.removed) tree[name]->remove = true;
        tree.root->UpdateTree(0.1f);
        log.push_back("|");
        tree.root->UpdateTree(0.1f);
        EXPECT_EQ(log, c.expected) << c.what;
    }
}

TEST(ObjectTraversal, DrawTreeOrderAndMatrixDepth) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    glMatrixMode(GL_MODELVIEW);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &Spy::baseDepth);

    struct Case {
        const char* start;
        Log expected;
    };
    // Each object draws one level below its parent; siblings share a level
    // and the walk ends back where it began.
    const Case cases[] = {
        {"R", {"R@1", "A@2", "A1@3", "A11@4", "A2@3", "B@2", "C@2"}},
        {"A", {"A@1", "A1@2", "A11@3", "A2@2", "B@1", "C@1"}},
        {"A2", {"A2@1"}},
    };
    for (const Case& c : cases) {
        Log log;
        Tree tree({{"R", nullptr, 0, 0},
                   {"A", "R", 0, 0},
                   {"B", "R", 0, 0},
                   {"C", "R", 0, 0},
                   {"A1", "A", 0, 0},
                   {"A2", "A", 0, 0},
                   {"A11", "A1", 0, 0}},
                  &log);
        tree[c.start]->DrawTree();
        GLint depth = 0;
        glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
        EXPECT_EQ(depth, Spy::baseDepth) << c.start;
        EXPECT_EQ(log, c.expected) << c.start;
    }
}

// Counts what the traversals do to it, and touches everything.
class Tally : public CObject {
public:
    explicit Tally(int* count) : count(count) { radius = 1.0f; }
    void Update(float) override { ++*count; }
    void Draw() override { ++*count; }
    void OnCollision(CObject*) override { ++*count; }

    int* count;
};

// Far more siblings than the stack holds nested calls for (a few hundred
// bytes a call against megabytes), on each side of Collide and under each
// walk: each visits every one exactly once.
TEST(ObjectTraversal, LongSiblingRunsAreWalkedWithoutNesting) {
    ondra::test::ScopedGLContext context;
    if (!context.ok()) ONDRA_SKIP_OR_FAIL("no GL context");
    constexpr int kSiblings = 300000;
    struct Case {
        const char* what;
        void (*walk)(CObject& longRun, CObject& single);
    };
    const Case cases[] = {
        {"Collide, a long run of members", [](CObject& run, CObject& single) { run.FirstChild()->Collide(&single); }},
        {"Collide, a long run of others", [](CObject& run, CObject& single) { single.Collide(run.FirstChild()); }},
        {"UpdateTree", [](CObject& run, CObject&) { run.FirstChild()->UpdateTree(0.1f); }},
        {"DrawTree", [](CObject& run, CObject&) { run.FirstChild()->DrawTree(); }},
    };
    for (const Case& c : cases) {
        int count = 0;
        Tally single(&count);
        CObject group;
        for (int i = 0; i < kSiblings; ++i) (new Tally(&count))->AttachTo(&group);
        c.walk(group, single);
        EXPECT_EQ(count, kSiblings) << c.what;
    }
}

}  // namespace
