// Drawing one block face.
#include "game/block_part.h"

#include <GL/gl.h>

void BlockPart::Draw() const {
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, textureId);
    glPushMatrix();
    glCallList(static_cast<GLuint>(displayList));
    glPopMatrix();
}
