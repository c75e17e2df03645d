// Drawing a block: the shared wall list holds a wall standing on the block's
// north edge, so each other wall is turned onto its own edge first.
#include "game/block.h"

#include <GL/gl.h>

namespace {

void DrawIfPresent(const std::unique_ptr<BlockPart>& face, Block::Faces faces) {
    if (!face) return;
    if (faces == Block::Faces::kTextured)
        face->Draw();
    else
        face->DrawShape();
}

}  // namespace

void Block::Draw(Faces faces) const {
    DrawIfPresent(ceiling, faces);
    DrawIfPresent(floor, faces);
    DrawIfPresent(north, faces);
    if (south) {
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 3.0f);
        glTranslatef(3.0f, 0.0f, 0.0f);
        glRotatef(180.0f, 0.0f, 1.0f, 0.0f);
        DrawIfPresent(south, faces);
        glPopMatrix();
    }
    if (east) {
        glPushMatrix();
        glRotatef(-90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -3.0f);
        DrawIfPresent(east, faces);
        glPopMatrix();
    }
    if (west) {
        // The slab's lit side lands on the block's edge; its back reaches
        // 0.1 into the western neighbour.
        glPushMatrix();
        glTranslatef(0.0f, 0.0f, 3.0f);
        glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
        glTranslatef(0.0f, 0.0f, -0.1f);
        DrawIfPresent(west, faces);
        glPopMatrix();
    }
}
