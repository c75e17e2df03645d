// Billboard axes from the modelview matrix and the corners of camera-facing
// squares.
#include "game/render/billboard.h"

#include <GL/gl.h>

const float kBillboardTexCoords[4][2] = {{0.0f, 0.0f}, {1.0f, 0.0f}, {1.0f, 1.0f}, {0.0f, 1.0f}};

BillboardAxes BillboardAxesFromMatrix(const float modelview[16]) {
    return {Vector3(modelview[0], modelview[4], modelview[8]),
            Vector3(modelview[1], modelview[5], modelview[9])};
}

BillboardAxes CurrentBillboardAxes() {
    float modelview[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, modelview);
    return BillboardAxesFromMatrix(modelview);
}

void BillboardCorners(const Vector3& center, const BillboardAxes& axes, float halfExtent,
                      Vector3 corners[4]) {
    const Vector3& right = axes.right;
    const Vector3& up = axes.up;
    corners[0] = center + (right + up) * -halfExtent;
    corners[1] = center + (right - up) * halfExtent;
    corners[2] = center + (right + up) * halfExtent;
    corners[3] = center + (up - right) * halfExtent;
}

void EmitBillboard(const Vector3& center, const BillboardAxes& axes, float halfExtent) {
    Vector3 corners[4];
    BillboardCorners(center, axes, halfExtent, corners);
    for (int i = 0; i < 4; ++i) {
        glTexCoord2fv(kBillboardTexCoords[i]);
        glVertex3fv(corners[i].Data());
    }
}

void BeginGlowingBillboards(unsigned int texture) {
    glEnable(GL_BLEND);
    // Destination alpha as the second factor: overlapping particles pile
    // up into a bright core instead of hiding each other.
    glBlendFunc(GL_SRC_ALPHA, GL_DST_ALPHA);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_LIGHTING);
}

void EndGlowingBillboards() {
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDisable(GL_BLEND);
}
