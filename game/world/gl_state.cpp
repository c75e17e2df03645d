// The game's GL state and fixed lights.
#include "game/world/gl_state.h"

#include <GL/gl.h>

#include "game/render/gl_lights.h"

namespace {

void SetLight(GLenum light, GLenum parameter, float r, float g, float b, float a) {
    const float value[4] = {r, g, b, a};
    glLightfv(light, parameter, value);
}

void SetUpMaterialAndLights() {
    const float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, white);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, white);
    const float dark[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, dark);

    SetLight(gl_lights::kSun, GL_AMBIENT, 0, 0, 0, 1);
    SetLight(gl_lights::kSun, GL_DIFFUSE, 0.3f, 0.3f, 0.3f, 1);
    // In eye space until the first frame places the sun in the world. The
    // frame draws the planet surface before it places the sun, so the first
    // frame's surface is lit from here, and each later one from where the
    // frame before left the sun.
    SetLight(gl_lights::kSun, GL_POSITION, -80, 80, 80, 1);

    SetLight(gl_lights::kBoltLight, GL_AMBIENT, 0, 0, 0, 1);
    SetLight(gl_lights::kBoltLight, GL_DIFFUSE, 0.1f, 0.1f, 0.1f, 1);

    SetLight(gl_lights::kFlashlight, GL_AMBIENT, 1, 1, 1, 1);
    SetLight(gl_lights::kFlashlight, GL_DIFFUSE, 1, 1, 1, 1);
    SetLight(gl_lights::kFlashlight, GL_SPECULAR, 1, 1, 1, 1);
    glLightf(gl_lights::kFlashlight, GL_CONSTANT_ATTENUATION, 1.0f);
    glLightf(gl_lights::kFlashlight, GL_LINEAR_ATTENUATION, 0.1f);
    glLightf(gl_lights::kFlashlight, GL_QUADRATIC_ATTENUATION, 0.0f);
    glLightf(gl_lights::kFlashlight, GL_SPOT_CUTOFF, 25.0f);
    glLightf(gl_lights::kFlashlight, GL_SPOT_EXPONENT, 25.0f);

    glEnable(gl_lights::kSun);
}

}  // namespace

void SetUpGameGl() {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    // Blending itself stays off until an effect turns it on.
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_CULL_FACE);
    SetUpMaterialAndLights();
}
