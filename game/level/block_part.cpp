// Drawing one block face.
#include "game/level/block_part.h"

#include <GL/gl.h>

void BlockPart::BindTexture() const {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureId);
}

void BlockPart::Draw() const {
    BindTexture();
    glPushMatrix();
    glCallList(static_cast<GLuint>(displayList));
    glPopMatrix();
}
