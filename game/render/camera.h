// Camera: the first-person view record. It integrates the velocity the
// movement keys add (in the viewer's own frame: x sideways, z forward) with
// friction, turns by the yaw and pitch the mouse sets, and places the GL view.
#pragma once

#include "game/core/vector3.h"

class Camera {
public:
    static constexpr float kMinPitch = -80.0f;
    static constexpr float kMaxPitch = 60.0f;
    // Per second: the share of the velocity friction takes away.
    static constexpr float kFriction = 3.5f;
    // The longest move along either axis in one update.
    static constexpr float kMaxStep = 15.0f;

    // At (0, 1, 0) looking along +z.
    Camera();
    // At `position` looking along `direction`.
    Camera(const Vector3& position, const Vector3& direction);

    // Clamps the angles, moves by the velocity from before this update, then
    // applies friction and aims lookAt one unit ahead. Height is not changed.
    void Update(float dt);
    // gluLookAt from position towards lookAt, y up.
    void Apply() const;

    Vector3 position;
    Vector3 velocity;      // x = sideways (positive right), z = forward
    Vector3 acceleration;  // friction, in the same frame
    Vector3 lookAt;
    Vector3 up{0.0f, 1.0f, 0.0f};
    Vector3 right{1.0f, 0.0f, 0.0f};
    float yaw = 0.0f;    // degrees; 0 looks along +x, 90 along +z
    float pitch = 0.0f;  // degrees; positive looks up
};

// The game's projection, the only one the game draws its world with: for a
// window of the given width / height; it leaves the modelview matrix
// current and reset.
void LoadGameProjection(double aspect);
// Its view: degrees high, and the near and far planes' distances.
constexpr double kGameFieldOfView = 55.0;
constexpr double kGameNearPlane = 0.1;
constexpr double kGameFarPlane = 250.0;
// Width / height of a drawing area; a window shrunk to no height counts as
// one row high.
float AspectOf(int width, int height);
