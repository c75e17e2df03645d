// The motion steps of CObject (its own and the fall to rest) and the
// traversals over object trees.
#include "game/objects/object.h"

#include <GL/gl.h>

#include <cstddef>
#include <vector>

void CObject::Update(float dt) {
    position += velocity * dt;
    velocity += acceleration * dt;
}

void FallToRest(CObject& object, float restHeight, float dt) {
    const bool falling = object.position.y > restHeight;
    object.acceleration = falling ? Vector3(0.0f, kFallAcceleration, 0.0f) : Vector3();
    if (!falling) object.velocity = Vector3();
    object.velocity += object.acceleration * dt;
    object.position += object.velocity * dt;
    if (falling && object.position.y <= restHeight) {
        object.position.y = restHeight;
        object.velocity = Vector3();
        object.acceleration = Vector3();
    }
}

void CObject::CheckCollisions() { Collide(static_cast<CObject*>(GetRoot())); }

namespace {

// The member runs of the Collide calls under way, each call's run above its
// callers' (indices, not pointers: a nested call may grow the buffer). One
// buffer for the process, which stops growing once the largest trees have
// met, so a frame's collisions allocate nothing.
std::vector<CObject*>& WalkedMembers() {
    static std::vector<CObject*> walked;
    return walked;
}

}  // namespace

// The order is that of a recursion which tests this object (and, while it
// touches, its children), then Collides its next sibling, then Collides this
// object with other's first child and with other's next sibling. Objects
// that count their touches see its repeats, so the order is kept exactly;
// but a list of 200,000 siblings would need as many nested calls, so the
// siblings on both sides are walked in loops. The member run is walked
// forward; the calls that the recursion made on the way back out follow,
// last member first. Children still recurse: their depth is the nesting of
// the tree, not its size.
void CObject::Collide(CObject* other) {
    std::vector<CObject*>& walked = WalkedMembers();
    const std::size_t base = walked.size();
    while (other) {
        walked.resize(base);
        for (CObject* member = this; member; member = member->NextSibling()) {
            member->TouchAndDescend(other);
            walked.push_back(member);
        }
        for (std::size_t i = walked.size(); i-- > base + 1;) {
            CObject* member = walked[i];
            if (other->HasChild()) member->Collide(other->FirstChild());
            if (CObject* later = other->NextSibling()) member->Collide(later);
        }
        // This object's own calls come last, and the one with other's next
        // sibling ends the recursion's first call: it becomes the next round.
        if (other->HasChild()) Collide(other->FirstChild());
        other = other->NextSibling();
    }
    walked.resize(base);
}

void CObject::TouchAndDescend(CObject* other) {
    const float distance = (other->position - position).Length();
    if (distance > radius + other->radius || other == this) return;
    OnCollision(other);
    // A parent's sphere bounds its subtree: children are tested only while
    // the parent touches.
    if (HasChild()) FirstChild()->Collide(other);
}

void CObject::UpdateTree(float dt) {
    for (CObject& object : ThisAndLaterSiblings()) {
        object.Update(dt);
        if (object.HasChild()) object.FirstChild()->UpdateTree(dt);
    }
    // Only now, and last first: the walk above still needed the links, and
    // a destructor may look at the siblings before it.
    std::vector<CObject*> removed;
    for (CObject& object : ThisAndLaterSiblings())
        if (object.remove) removed.push_back(&object);
    for (auto doomed = removed.rbegin(); doomed != removed.rend(); ++doomed) delete *doomed;
}

void CObject::DrawTree() {
    for (CObject& object : ThisAndLaterSiblings()) object.DrawSubtree();
}

void CObject::DrawSubtree() {
    glPushMatrix();
    Draw();
    for (CObject& child : Children()) child.DrawSubtree();
    glPopMatrix();
}

void CObject::PassUnseen() {
    DrawUnseen();
    for (CObject& child : Children()) child.PassUnseen();
}
