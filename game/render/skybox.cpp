// The sky cube's faces. Each is written at the side opposite its name and
// the whole cube is turned half a turn about y, which brings every face to
// its own side; the top and side faces are a unit wider than the cube so
// their edges tuck behind the neighbouring faces.
#include "game/render/skybox.h"

#include <GL/gl.h>

namespace {

constexpr float kHalf = Skybox::kHalfSide;
constexpr float kWide = Skybox::kHalfSide + 1.0f;  // a wider face's edge

struct SkyFace {
    unsigned int Skybox::*texture;
    float corners[4][3];
};

// In drawing order, top first.
const SkyFace kFaces[] = {
    {&Skybox::top, {{kWide, kHalf, kWide}, {-kWide, kHalf, kWide}, {-kWide, kHalf, -kWide}, {kWide, kHalf, -kWide}}},
    {&Skybox::bottom, {{-kHalf, -kHalf, -kHalf}, {-kHalf, -kHalf, kHalf}, {kHalf, -kHalf, kHalf}, {kHalf, -kHalf, -kHalf}}},
    {&Skybox::west, {{kHalf, -kWide, -kWide}, {kHalf, -kWide, kWide}, {kHalf, kWide, kWide}, {kHalf, kWide, -kWide}}},
    {&Skybox::east, {{-kHalf, -kWide, kWide}, {-kHalf, -kWide, -kWide}, {-kHalf, kWide, -kWide}, {-kHalf, kWide, kWide}}},
    {&Skybox::south, {{-kWide, -kWide, -kHalf}, {kWide, -kWide, -kHalf}, {kWide, kWide, -kHalf}, {-kWide, kWide, -kHalf}}},
    {&Skybox::north, {{kWide, -kWide, kHalf}, {-kWide, -kWide, kHalf}, {-kWide, kWide, kHalf}, {kWide, kWide, kHalf}}},
};

const float kTexCoords[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};

}  // namespace

void Skybox::Draw() const {
    glDisable(GL_LIGHTING);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
    for (const SkyFace& face : kFaces) {
        glBindTexture(GL_TEXTURE_2D, this->*face.texture);
        glBegin(GL_QUADS);
        for (int i = 0; i < 4; ++i) {
            glTexCoord2fv(kTexCoords[i]);
            glVertex3fv(face.corners[i]);
        }
        glEnd();
    }
    glPopMatrix();
    glEnable(GL_LIGHTING);
}
