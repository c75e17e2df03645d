// CObject: the base of every thing in the compound. A sphere with a
// position and motion, three virtual operations for derived classes, and the
// collision, update and draw traversals over an object tree. Every node of
// an object tree is a CObject.
#pragma once

#include <string>

#include "game/core/vector3.h"
#include "game/objects/node.h"

// A run of siblings in ring order, for range-for. The step to the next
// sibling is taken after the visit, as the recursive traversals always did:
// a visit may attach children anywhere and siblings after the last, and
// they are walked too; it must not destroy the object it was handed.
template <class Object>
class SiblingRun {
public:
    class Iterator {
    public:
        explicit Iterator(Object* at) : at(at) {}
        Object& operator*() const { return *at; }
        Iterator& operator++() {
            at = at->NextSibling();
            return *this;
        }
        bool operator!=(const Iterator& other) const { return at != other.at; }

    private:
        Object* at;
    };

    explicit SiblingRun(Object* first) : first(first) {}
    Iterator begin() const { return Iterator(first); }
    Iterator end() const { return Iterator(nullptr); }

private:
    Object* first;
};

// What an object's Draw puts on the screen when nothing else decides it: a
// kind's model (null for none) at a place, turned to a side. Two objects of
// one look draw the same fragments at the same depths, so of several, only
// the one drawn last can change a pixel (the game's depth test passes equal
// depths, so each later one covers the earlier ones with the same colours):
// a map may stack thousands of pickups in one spot.
struct ObjectLook {
    const void* kind = nullptr;
    const void* model = nullptr;
    Vector3 position;
    int turn = 0;

    bool operator==(const ObjectLook& other) const {
        return kind == other.kind && model == other.model && position.x == other.position.x &&
               position.y == other.position.y && position.z == other.position.z && turn == other.turn;
    }
};

class CObject : public CNode {
public:
    CObject() = default;
    ~CObject() override = default;

    // Moves by the velocity from before the call, then accelerates.
    virtual void Update(float dt);
    virtual void Draw() {}
    // For a frame in which the object is out of sight and its Draw is
    // skipped: what Draw does besides drawing. Most objects have nothing.
    virtual void DrawUnseen() {}
    // Writes the object's look and returns true when its Draw depends on
    // nothing else and draws only opaque surfaces; most objects cannot say.
    virtual bool Look(ObjectLook& look) const {
        (void)look;
        return false;
    }
    // Called on a list member whose sphere touches `other`'s.
    virtual void OnCollision(CObject* other) { (void)other; }
    // Collides this object's whole tree with itself.
    virtual void CheckCollisions();
    // Its line in the state report: a kind word and name=value fields
    // (state_fields.h); empty for what the report leaves out.
    virtual std::string StateLine() const { return std::string(); }

    // Tests `other` against this object, its later siblings and, while this
    // object touches, its children; also walks `other`'s children and later
    // siblings. Only members of this tree are told about a touch.
    void Collide(CObject* other);
    // Updates this object, its subtree and its later siblings; an object
    // marked `remove` is destroyed once all of them are done.
    void UpdateTree(float dt);
    // Draws this object, then its subtree inside the same pushed matrix,
    // then its later siblings, each in its own pushed matrix.
    void DrawTree();
    // Draws this object and its subtree inside one pushed matrix, without
    // its later siblings.
    void DrawSubtree();
    // Calls DrawUnseen on this object and its subtree, in drawing order.
    void PassUnseen();

    CObject* FirstChild() const { return static_cast<CObject*>(child); }
    CObject* Next() const { return static_cast<CObject*>(next); }
    CObject* Parent() const { return static_cast<CObject*>(parent); }
    // The sibling after this one, or null for the last child and for a root.
    CObject* NextSibling() const { return HasParent() && !IsLastChild() ? Next() : nullptr; }

    // Every walk over an object tree goes through these two; Collide, which
    // walks two runs at once, steps with NextSibling.
    SiblingRun<CObject> Children() { return SiblingRun<CObject>(FirstChild()); }
    SiblingRun<const CObject> Children() const { return SiblingRun<const CObject>(FirstChild()); }
    // This object and its later siblings; a root alone.
    SiblingRun<CObject> ThisAndLaterSiblings() { return SiblingRun<CObject>(this); }

    bool remove = false;
    Vector3 position;
    Vector3 velocity;
    Vector3 acceleration;
    float radius = 0.0f;

private:
    // Tests `other` against this object alone and, while they touch,
    // against its children.
    void TouchAndDescend(CObject* other);
};

// How fast a killed or wrecked thing falls, in units per second squared.
constexpr float kFallAcceleration = -20.0f;

// One motion step of a thing that falls to the floor and stays: above
// restHeight it falls, velocity first; however long the frame, the fall
// ends at restHeight, not under it. At or below restHeight it stands still.
void FallToRest(CObject& object, float restHeight, float dt);
