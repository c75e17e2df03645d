// Drawing a block: the shared wall list holds a wall standing on the block's
// north edge, so each other wall is turned onto its own edge first.
#include "game/block.h"

#include <GL/gl.h>

namespace {

void DrawIfPresent(const std::unique_ptr<BlockPart>& face) {
    if (face) face->Draw();
}

}  // namespace

void Block::Draw() const {
    DrawIfPresent(ceiling);
    DrawIfPresent(floor);
    DrawIfPresent(north);
    if (south) {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 3.0f);
        glTranslatef(3.0f, 0.0f, 0.0f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        south->Draw();
        glPopMatrix();
    }
    if (east) {
        glPushMatrix();
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -3.0f);
        east->Draw();
        glPopMatrix();
    }
    if (west) {
        // The slab's lit side lands on the block's edge; its back reaches
        // 0.1 into the western neighbour.
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 3.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -0.1f);
        west->Draw();
        glPopMatrix();
    }
}
