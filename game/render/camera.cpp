// The camera's motion and view.
#include "game/render/camera.h"

#include <GL/glu.h>

#include <algorithm>
#include <cmath>

namespace {

float ClampStep(float step) { return std::clamp(step, -Camera::kMaxStep, Camera::kMaxStep); }

}  // namespace

Camera::Camera() : position(0.0f, 1.0f, 0.0f), lookAt(0.0f, 0.0f, 1.0f) {}

Camera::Camera(const Vector3& position, const Vector3& direction)
    : position(position), lookAt(direction.Length() > 0.0f ? direction.Normalized() : direction) {}

void Camera::Update(float dt) {
    // Wrapped, not reset: a turn that carries past a full circle keeps its
    // overshoot, so the view does not snap back once per turn.
    yaw = std::fmod(yaw, 360.0f);
    pitch = std::clamp(pitch, kMinPitch, kMaxPitch);
    const float cy = Cos(yaw * kDegToRad);
    const float sy = Sin(yaw * kDegToRad);
    const float sp = Sin(pitch * kDegToRad);

    const float forward = ClampStep(dt * velocity.z);
    const float side = ClampStep(dt * velocity.x);

    if (velocity.Length() > 0.0f) acceleration = velocity * -kFriction;
    if (kFriction * dt < 1.0f) {
        velocity += acceleration * dt;
    } else {
        // A frame this long would carry friction past standstill and send the
        // viewer backwards, ever faster on longer frames: it stops instead.
        velocity = Vector3();
        acceleration = Vector3();
    }

    const double sideAngle = (static_cast<double>(yaw) + 90.0) * kDegToRadDouble;
    position.x = static_cast<float>(position.x + std::cos(sideAngle) * side);
    position.z = static_cast<float>(position.z + std::sin(sideAngle) * side);
    position.x += cy * forward;
    position.z += sy * forward;

    lookAt = Vector3(position.x + cy, position.y + sp, position.z + sy);
}

void Camera::Apply() const {
    gluLookAt(position.x, position.y, position.z, lookAt.x, lookAt.y, lookAt.z, 0.0, 1.0, 0.0);
}

float AspectOf(int width, int height) {
    return static_cast<float>(width) / static_cast<float>(height > 0 ? height : 1);
}

void LoadGameProjection(double aspect) {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(kGameFieldOfView, aspect, kGameNearPlane, kGameFarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
