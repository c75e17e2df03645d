// Light: a lamp of the compound, driving one of GL lights 0 to 4. It stays
// dark until the player first comes within its reach and is on for good
// from then; lamps sharing a GL light hand it to the one touched last.
#pragma once

#include "game/objects/object.h"

class Light : public CObject {
public:
    static constexpr int kGlLights = 5;

    // Sets the GL light up at the lamp without switching it on. An index
    // outside 0 to 4 is taken modulo 5.
    Light(int lightIndex, const Vector3& position, float radius);

    // After a touch: switches the GL light on and moves it here.
    void Draw() override;
    void OnCollision(CObject* other) override;

    int LightIndex() const { return lightIndex; }
    // Whether this lamp has ever switched its GL light on.
    bool EverLit() const { return everLit; }

private:
    void LoadColoursAndPosition() const;
    unsigned int GlLight() const;

    int lightIndex;
    float intensity = 1.0f;
    bool playerAway = true;  // no touch since the last draw
    bool everLit = false;
};
