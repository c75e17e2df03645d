// Vec3: the framework's plain three-float vector, used by Matrix and by the
// 3DS model code for positions and normals.
#pragma once

namespace ondra {

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Vec2 {
    float u = 0.0f;
    float v = 0.0f;
};

}  // namespace ondra
