// The game's GL state and fixed lights.
#include "game/world/gl_state.h"

#include <GL/gl.h>

#include <initializer_list>

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
    const float sun = gl_lights::kSunBrightness;
    SetLight(gl_lights::kSun, GL_DIFFUSE, sun, sun, sun, 1);
    glLightfv(gl_lights::kSun, GL_POSITION, gl_lights::kSunStartPosition);

    SetLight(gl_lights::kBoltLight, GL_AMBIENT, 0, 0, 0, 1);
    SetLight(gl_lights::kBoltLight, GL_DIFFUSE, 0.1f, 0.1f, 0.1f, 1);

    for (GLenum part : {GL_AMBIENT, GL_DIFFUSE, GL_SPECULAR})
        glLightfv(gl_lights::kFlashlight, part, gl_lights::kFlashlightColour);
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
