// The motion step of CObject and the three traversals over object trees.
#include "game/objects/object.h"

#include <GL/gl.h>

void CObject::Update(float dt) {
    position += velocity * dt;
    velocity += acceleration * dt;
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
    if (HasParent() && !IsLastChild()) Next()->Collide(other);
    if (other->HasChild()) Collide(other->FirstChild());
    if (other->HasParent() && !other->IsLastChild()) Collide(other->Next());
}

void CObject::UpdateTree(float dt) {
    Update(dt);
    if (HasChild()) FirstChild()->UpdateTree(dt);
    if (HasParent() && !IsLastChild()) Next()->UpdateTree(dt);
    // Only now: the walks above still needed this object's links.
    if (remove) delete this;
}

void CObject::DrawTree() {
    DrawSubtree();
    if (HasParent() && !IsLastChild()) Next()->DrawTree();
}

void CObject::DrawSubtree() {
    glPushMatrix();
    Draw();
    if (HasChild()) FirstChild()->DrawTree();
    glPopMatrix();
}

void CObject::PassUnseen() {
    DrawUnseen();
    for (CObject* c = FirstChild(); c; c = c->IsLastChild() ? nullptr : c->Next()) c->PassUnseen();
}
