// BoundingBox: drawing the box's edges, the one part of the box that needs
// GL.
#include <GL/gl.h>

#include "framework/load3ds/bounding_box.h"

namespace ondra {

void BoundingBox::DrawOutline() const {
    const float x0 = min_.x, y0 = min_.y, z0 = min_.z;
    const float x1 = max_.x, y1 = max_.y, z1 = max_.z;
    glBegin(GL_LINE_STRIP);
    glVertex3f(x0, y0, z0);
    glVertex3f(x0, y1, z0);
    glVertex3f(x0, y1, z1);
    glVertex3f(x0, y0, z1);
    glVertex3f(x0, y0, z0);
    glVertex3f(x1, y0, z0);
    glVertex3f(x1, y0, z1);
    glVertex3f(x1, y1, z1);
    glVertex3f(x1, y1, z0);
    glVertex3f(x1, y0, z0);
    glEnd();
    glBegin(GL_LINES);
    glVertex3f(x0, y0, z1);
    glVertex3f(x1, y0, z1);
    glVertex3f(x0, y1, z1);
    glVertex3f(x1, y1, z1);
    glVertex3f(x0, y1, z0);
    glVertex3f(x1, y1, z0);
    glEnd();
}

}  // namespace ondra
