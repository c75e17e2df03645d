// The object tree: sibling rings, moving and destroying nodes, and the
// collision and update traversals. The draw traversal needs GL and lives in
// object_draw_test.cpp.
#include "game/objects/object.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// Records what the traversals do to it in a shared log.
class Probe : public CObject {
public:
    Probe(std::string name, std::vector<std::string>* log, Vector3 at = {}, float r = 0.0f)
        : name(std::move(name)), log(log) {
        position = at;
        radius = r;
    }
    ~Probe() override { log->push_back("~" + name); }
    void Update(float dt) override {
        CObject::Update(dt);
        log->push_back("update " + name);
    }
    void OnCollision(CObject* other) override {
        log->push_back(name + " touches " + static_cast<Probe*>(other)->name);
    }

    std::string name;
    std::vector<std::string>* log;
};

using Log = std::vector<std::string>;

TEST(ObjectTree, NewNodeIsAFreeRoot) {
    CNode node;
    EXPECT_FALSE(node.HasParent());
    EXPECT_FALSE(node.HasChild());
    EXPECT_EQ(node.prev, &node);
    EXPECT_EQ(node.next, &node);
    EXPECT_FALSE(node.IsLastChild());
    EXPECT_EQ(node.GetRoot(), &node);
}

TEST(ObjectTree, ChildrenFormARingInAttachOrder) {
    CNode root;
    CNode* a = new CNode;
    CNode* b = new CNode;
    CNode* c = new CNode;

    a->AttachTo(&root);
    EXPECT_EQ(root.child, a);
    EXPECT_EQ(a->prev, a);
    EXPECT_EQ(a->next, a);
    EXPECT_TRUE(a->IsLastChild());

    b->AttachTo(&root);
    c->AttachTo(&root);
    EXPECT_EQ(root.child, a);
    EXPECT_EQ(a->next, b);
    EXPECT_EQ(b->next, c);
    EXPECT_EQ(c->next, a);
    EXPECT_EQ(a->prev, c);
    EXPECT_EQ(c->prev, b);
    EXPECT_EQ(b->prev, a);
    EXPECT_FALSE(a->IsLastChild());
    EXPECT_FALSE(b->IsLastChild());
    EXPECT_TRUE(c->IsLastChild());

    CNode* grandchild = new CNode;
    grandchild->AttachTo(b);
    EXPECT_EQ(grandchild->GetRoot(), &root);
}

// The one walk every traversal uses: ring order, the step taken after the
// visit, so what a visit attaches after the last child is walked too, and
// a childless parent or a lone root walks nothing beyond itself.
TEST(ObjectTree, ChildrenWalkTheRingInOrderIncludingWhatTheWalkAttaches) {
    Log log;
    Probe root("root", &log);
    for (const char* name : {"a", "b"}) (new Probe(name, &log))->AttachTo(&root);
    Log seen;
    for (CObject& child : root.Children()) {
        seen.push_back(static_cast<Probe&>(child).name);
        if (seen.size() == 1) (new Probe("added", &log))->AttachTo(&root);
    }
    EXPECT_EQ(seen, (Log{"a", "b", "added"}));

    const auto names = [](auto run) {
        Log found;
        for (auto& object : run) found.push_back(static_cast<const Probe&>(object).name);
        return found;
    };
    const CObject& leaf = *root.FirstChild();
    EXPECT_EQ(names(leaf.Children()), Log{});
    EXPECT_EQ(names(root.ThisAndLaterSiblings()), Log{"root"});
    EXPECT_EQ(names(root.FirstChild()->Next()->ThisAndLaterSiblings()), (Log{"b", "added"}));
}

TEST(ObjectTree, AttachingMovesANodeBetweenParents) {
    CNode oldParent;
    CNode newParent;
    CNode* first = new CNode;
    CNode* second = new CNode;
    CNode* resident = new CNode;
    first->AttachTo(&oldParent);
    second->AttachTo(&oldParent);
    resident->AttachTo(&newParent);

    first->AttachTo(&newParent);
    EXPECT_EQ(oldParent.child, second);
    EXPECT_EQ(second->next, second);
    EXPECT_EQ(second->prev, second);
    EXPECT_EQ(first->parent, &newParent);
    EXPECT_EQ(newParent.child, resident);
    EXPECT_EQ(resident->next, first);
    EXPECT_EQ(first->next, resident);
    EXPECT_TRUE(first->IsLastChild());

    second->AttachTo(&newParent);
    EXPECT_FALSE(oldParent.HasChild());
    EXPECT_TRUE(second->IsLastChild());
}

TEST(ObjectTree, DetachedNodeForgetsItsParent) {
    CNode* parent = new CNode;
    CNode* only = new CNode;
    only->AttachTo(parent);
    only->Detach();
    EXPECT_FALSE(parent->HasChild());
    EXPECT_FALSE(only->HasParent());
    EXPECT_FALSE(only->IsLastChild());
    // The old parent may go first; the detached node must not reach back.
    delete parent;
    delete only;
}

TEST(ObjectTree, DestroyingANodeDestroysItsSubtree) {
    Log log;
    Probe* root = new Probe("root", &log);
    Probe* a = new Probe("a", &log);
    Probe* b = new Probe("b", &log);
    a->AttachTo(root);
    b->AttachTo(root);
    (new Probe("a1", &log))->AttachTo(a);
    (new Probe("a2", &log))->AttachTo(a);
    (new Probe("b1", &log))->AttachTo(b);
    delete root;
    EXPECT_EQ(log, (Log{"~root", "~a", "~a1", "~a2", "~b", "~b1"}));
}

TEST(ObjectTree, DestroyingFirstAndOnlyChildren) {
    Log log;
    Probe parent("parent", &log);
    Probe* first = new Probe("first", &log);
    Probe* second = new Probe("second", &log);
    first->AttachTo(&parent);
    second->AttachTo(&parent);

    delete first;
    EXPECT_EQ(parent.child, second);
    EXPECT_EQ(second->next, second);
    EXPECT_TRUE(second->IsLastChild());

    delete second;
    EXPECT_FALSE(parent.HasChild());
    EXPECT_EQ(log, (Log{"~first", "~second"}));
}

TEST(ObjectTree, UpdateMovesWithTheVelocityFromBeforeTheStep) {
    CObject object;
    object.velocity = Vector3(1, 0, 0);
    object.acceleration = Vector3(0, 2, 0);
    object.UpdateTree(0.5f);
    EXPECT_FLOAT_EQ(object.position.x, 0.5f);
    EXPECT_FLOAT_EQ(object.position.y, 0.0f);
    EXPECT_FLOAT_EQ(object.velocity.y, 1.0f);
}

TEST(ObjectTree, UpdateTreeVisitsEveryNodeOnceInTreeOrder) {
    Log log;
    Probe root("root", &log);
    Probe* a = new Probe("a", &log);
    Probe* b = new Probe("b", &log);
    a->AttachTo(&root);
    b->AttachTo(&root);
    (new Probe("a1", &log))->AttachTo(a);

    Probe lonely("lonely", &log);
    lonely.UpdateTree(0.1f);
    EXPECT_EQ(log, (Log{"update lonely"}));

    log.clear();
    root.UpdateTree(0.1f);
    EXPECT_EQ(log, (Log{"update root", "update a", "update a1", "update b"}));
}

TEST(ObjectTree, RemovedObjectsGoAfterTheirUpdatePass) {
    Log log;
    Probe root("root", &log);
    Probe* a = new Probe("a", &log);
    Probe* b = new Probe("b", &log);
    Probe* c = new Probe("c", &log);
    a->AttachTo(&root);
    b->AttachTo(&root);
    c->AttachTo(&root);
    (new Probe("a1", &log))->AttachTo(a);
    a->remove = true;
    c->remove = true;

    root.UpdateTree(0.1f);
    EXPECT_EQ(log, (Log{"update root", "update a", "update a1", "update b", "update c", "~c",
                        "~a", "~a1"}));
    EXPECT_EQ(root.child, b);
    EXPECT_EQ(b->next, b);

    log.clear();
    root.UpdateTree(0.1f);
    EXPECT_EQ(log, (Log{"update root", "update b"}));
}

TEST(ObjectTree, SpheresTouchUpToTheSumOfTheirRadii) {
    Log log;
    Probe root("root", &log, {0, 0, 0}, 100.0f);
    Probe* touching = new Probe("touching", &log, {3, 0, 0}, 1.0f);
    Probe* apart = new Probe("apart", &log, {0, 0, 3.001f}, 1.0f);
    touching->AttachTo(&root);
    apart->AttachTo(&root);
    Probe player("player", &log, {0, 0, 0}, 2.0f);

    root.Collide(&player);
    EXPECT_EQ(log, (Log{"root touches player", "touching touches player"}));

    log.clear();
    Probe alone("alone", &log, {0, 0, 0}, 1.0f);
    alone.Collide(&alone);
    EXPECT_TRUE(log.empty());
}

TEST(ObjectTree, ChildrenAreTestedOnlyWhileTheirParentTouches) {
    Log log;
    Probe root("root", &log, {0, 0, 0}, 100.0f);
    Probe* farParent = new Probe("far", &log, {50, 0, 0}, 1.0f);
    Probe* nearChild = new Probe("near", &log, {0, 0, 0}, 1.0f);
    farParent->AttachTo(&root);
    nearChild->AttachTo(farParent);
    Probe player("player", &log, {0, 0, 0}, 0.5f);

    root.Collide(&player);
    EXPECT_EQ(log, (Log{"root touches player"}));

    log.clear();
    farParent->radius = 60.0f;
    root.Collide(&player);
    EXPECT_EQ(log, (Log{"root touches player", "far touches player", "near touches player"}));
}

TEST(ObjectTree, CollideAlsoVisitsTheOtherObjectsChildrenAndLaterSiblings) {
    Log log;
    Probe list("list", &log, {0, 0, 0}, 100.0f);
    Probe* member = new Probe("member", &log, {0, 0, 0}, 1.0f);
    member->AttachTo(&list);

    Probe group("group", &log, {500, 0, 0}, 0.0f);  // out of reach itself
    Probe* first = new Probe("first", &log, {0, 0, 0}, 1.0f);
    Probe* second = new Probe("second", &log, {0, 0, 0}, 1.0f);
    first->AttachTo(&group);
    second->AttachTo(&group);
    Probe* firstsChild = new Probe("firstsChild", &log, {0, 0, 0}, 1.0f);
    firstsChild->AttachTo(first);

    list.Collide(&group);
    // Only the list side is told; every member of the other tree is
    // offered, never the other tree's root. Each offer goes down the list
    // and on to the offered one's children and later siblings, so a deeper
    // list member hears some twice.
    EXPECT_EQ(log, (Log{"list touches first", "member touches first", "member touches firstsChild",
                        "member touches second", "list touches firstsChild", "member touches firstsChild",
                        "list touches second", "member touches second"}));

    // The game's partners are childless and last in their list, so each
    // list member is tested exactly once.
    log.clear();
    Probe* bolt = new Probe("bolt", &log, {0, 0, 0}, 0.1f);
    bolt->AttachTo(&list);
    list.Collide(bolt);
    EXPECT_EQ(log, (Log{"list touches bolt", "member touches bolt"}));
}

}  // namespace
