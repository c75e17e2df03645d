// The motion steps of CObject (its own and the fall to rest) and the
// traversals over object trees.
#include "game/objects/object.h"

#include <GL/gl.h>

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

void CObject::Collide(CObject* other) {
    const float distance = (other->position - position).Length();
    if (distance <= radius + other->radius && other != this) {
        OnCollision(other);
        // A parent's sphere bounds its subtree: children are tested only
        // while the parent touches.
        if (HasChild()) FirstChild()->Collide(other);
    }
    // Two runs of siblings at once, in an order (repeats included) that
    // objects counting their touches depend on: kept as a recursion.
    if (CObject* later = NextSibling()) later->Collide(other);
    if (other->HasChild()) Collide(other->FirstChild());
    if (CObject* later = other->NextSibling()) Collide(later);
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
